#pragma once

#include <string>
#include <vector>

/// Runs a program through the shell with its output captured in files, the way a
/// user's pipeline would run it (standard error is then not a terminal).
class CommandRunner
{
public:
    struct Outcome
    {
        int iExitStatus = -1;
        std::string sOut;
        std::string sErr;
    };

    /// arguments are quoted for the shell; sStdinFile, if not empty, feeds standard input.
    static Outcome run(const std::string& sProgram, const std::vector<std::string>& arguments,
                       const std::string& sStdinFile = "");
    /// Runs a whole shell command line as it is, capturing its output the same way.
    static Outcome runShell(const std::string& sCommandLine);

    static std::string quote(const std::string& sArgument);
    static std::string readFile(const std::string& sPath);
};
