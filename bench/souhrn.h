// A console reporter that also keeps, for the closing summary of targets, the
// fastest repetition of every benchmark (or the median when only aggregates
// are reported). CPU times are kept beside wall times: other processes on the
// machine disturb them less.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

class TSouhrn : public benchmark::ConsoleReporter {
public:
    struct Mereni {
        double cpuSekundy = 0;  // per iteration
        double realSekundy = 0;
        std::map<std::string, double> citace;

        double Citac(const std::string& jmeno, double jinak = -1) const
        {
            const auto it = citace.find(jmeno);
            return it == citace.end() ? jinak : it->second;
        }
    };

    // Colours only on a terminal, so logs stay plain text.
    TSouhrn() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& behy) override
    {
        ConsoleReporter::ReportRuns(behy);
        for (const Run& beh : behy)
            zapamatuj(beh);
    }

    // "BM_Nacti/1000" or a registered name such as "NaplnEfekty/x30".
    const Mereni* Najdi(const std::string& jmeno) const
    {
        if (auto it = nejlepsi_.find(jmeno); it != nejlepsi_.end())
            return &it->second;
        if (auto it = mediany_.find(jmeno); it != mediany_.end())
            return &it->second;
        return nullptr;
    }

    // Names in the order they first ran.
    const std::vector<std::string>& Poradi() const { return poradi_; }

private:
    void zapamatuj(const Run& beh)
    {
        if (beh.error_occurred)
            return;
        const bool median = beh.run_type == Run::RT_Aggregate && beh.aggregate_name == "median";
        if (beh.run_type != Run::RT_Iteration && !median)
            return;
        Mereni m;
        const double naSekundy = 1.0 / benchmark::GetTimeUnitMultiplier(beh.time_unit);
        m.cpuSekundy = beh.GetAdjustedCPUTime() * naSekundy;
        m.realSekundy = beh.GetAdjustedRealTime() * naSekundy;
        for (const auto& [jmeno, citac] : beh.counters)
            m.citace[jmeno] = citac;
        const std::string& argumenty = beh.run_name.args;
        const std::string jmeno = beh.run_name.function_name + (argumenty.empty() ? "" : "/" + argumenty);
        if (nejlepsi_.count(jmeno) == 0 && mediany_.count(jmeno) == 0)
            poradi_.push_back(jmeno);
        auto& cil = median ? mediany_ : nejlepsi_;
        auto [kde, nove] = cil.emplace(jmeno, m);
        if (!nove && !median && m.cpuSekundy < kde->second.cpuSekundy)
            kde->second = m;
    }

    std::vector<std::string> poradi_;
    std::map<std::string, Mereni> nejlepsi_;
    std::map<std::string, Mereni> mediany_;
};

// The closing line of a summary: how many of the checked targets held.
inline void VypisVysledekCilu(int overeno, int minuto)
{
    if (overeno == 0)
        std::printf("No target could be checked with the benchmarks that ran.\n");
    else if (minuto == 0)
        std::printf("All %d targets met.\n", overeno);
    else
        std::printf("%d of %d targets missed.\n", minuto, overeno);
}
