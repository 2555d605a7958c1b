#include "obsluha.h"

#include "aplikace.h"

namespace {
// Frames open on this thread; only the outermost one reports.
thread_local int otevreneRamce = 0;

struct TOtevrenyRamec {
    TOtevrenyRamec() noexcept { ++otevreneRamce; }
    ~TOtevrenyRamec() { --otevreneRamce; }
    TOtevrenyRamec(const TOtevrenyRamec&) = delete;
    TOtevrenyRamec& operator=(const TOtevrenyRamec&) = delete;
};
}  // namespace

bool VAkci() noexcept
{
    return otevreneRamce > 0;
}

bool VRamciAkce(const std::function<void()>& akce)
{
    if (VAkci()) {
        akce();
        return true;
    }
    TOtevrenyRamec ramec;
    try {
        akce();
        return true;
    } catch (...) {
        TAplikace::HlasZachycenouChybu();
    }
    return false;
}

TObnova::~TObnova()
{
    try {
        obnov_();
    } catch (...) {
        // A restore that fails (no memory left) must not end the program;
        // the failure already rising is the one reported.
    }
}
