#pragma once

#include <QString>

#include <functional>
#include <optional>

// A part that a test binary plays as the other program of a test: to hold a lock, or to write until it is killed.
// The test starts the binary again with the role's name (ChildProcess::startRole), and the binary's main runs that
// role instead of the tests. A role is declared once at namespace scope, under a name unique in its binary; it says
// how far it got on its output, which the test reads.
class ChildRole
{
public:
    ChildRole(const QString& name, std::function<void()> body);
    ChildRole(const ChildRole&) = delete;
    ChildRole& operator=(const ChildRole&) = delete;

    // The command-line argument that asks a binary for the role.
    static QString argument(const QString& name);
    // Runs the role the command line asks for and returns the binary's exit code (2 for a role it does not have);
    // nothing when the binary is to run its tests.
    static std::optional<int> runRequested(int argc, char** argv);
};
