// Input/output failures that reach the user with the system's description.
#pragma once

#include <stdexcept>
#include <string>

class ChybaCteni : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "<what>: <description of the error number>". Messages are UTF-8.
std::string PopisSystemoveChyby(const std::string& co, int cisloChyby);

class ChybaZapisu : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
