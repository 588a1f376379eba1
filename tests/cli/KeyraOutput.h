#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

/// Reading what keyra wrote: its lines, its JSON Lines records, the lines naming something.
class KeyraOutput
{
public:
    static std::vector<std::string> lines(const std::string& sText);
    static std::vector<nlohmann::json> parseJsonLines(const std::string& sText);
    static size_t countLinesWith(const std::string& sText, const std::string& sNeedle);
};
