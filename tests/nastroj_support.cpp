#include "nastroj_support.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

extern char** environ;

std::string ObsahSouboru(const std::filesystem::path& cesta)
{
    std::ifstream soubor(cesta, std::ios::binary);
    std::ostringstream text;
    text << soubor.rdbuf();
    return text.str();
}

Beh SpustNastroj(const std::filesystem::path& slozka, const std::vector<std::string>& argumenty)
{
    std::vector<char*> argv{const_cast<char*>(MIXOR_KATALOG)};
    for (const std::string& a : argumenty)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto out = slozka / "stdout";
    const auto err = slozka / "stderr";
    posix_spawn_file_actions_t akce;
    posix_spawn_file_actions_init(&akce);
    posix_spawn_file_actions_addopen(&akce, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&akce, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    const int chyba = posix_spawn(&pid, MIXOR_KATALOG, &akce, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&akce);
    Beh beh;
    if (chyba != 0) {
        ADD_FAILURE() << "cannot start " << MIXOR_KATALOG;
        return beh;
    }
    int stav = 0;
    waitpid(pid, &stav, 0);
    beh.kod = WIFEXITED(stav) ? WEXITSTATUS(stav) : -1;
    beh.out = ObsahSouboru(out);
    beh.err = ObsahSouboru(err);
    return beh;
}
