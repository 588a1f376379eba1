#include "JsonLinesWriter.h"

#include "KeyNotation.h"

#include <cmath>

namespace
{
double rounded(double dValue, double dScale) { return std::round(dValue * dScale) / dScale; }

nlohmann::ordered_json keysToJson(const std::vector<RankedKey>& keys)
{
    auto array = nlohmann::ordered_json::array();
    for (const auto& key : keys)
        array.push_back({{"key", key.sName},
                         {"camelot", KeyNotation::camelot(key.iRootPitchClass, key.bMinor)},
                         {"openkey", KeyNotation::openKey(key.iRootPitchClass, key.bMinor)},
                         {"probability", rounded(key.fProbability, 1e6)}});
    return array;
}
}

JsonLinesWriter::JsonLinesWriter(std::ostream& out) : m_out(out) {}

nlohmann::ordered_json JsonLinesWriter::toJson(const FileResult& result)
{
    nlohmann::ordered_json object = {{"path", result.sPath}};
    if (result.eStatus == FileResult::Status::failed)
    {
        object["error"] = result.sError;
        return object;
    }
    const bool bSilent = result.eStatus == FileResult::Status::silent;
    object["duration_s"] = rounded(result.dDurationSeconds, 1e3);
    object["sample_rate"] = result.iSampleRate;
    object["channels"] = result.iNumberOfChannels;
    object["silent"] = bSilent;
    object["tuning_hz"] = bSilent ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(rounded(result.fTuningInHz, 1e2));
    object["general"] = keysToJson(result.general);
    object["electronic"] = keysToJson(result.electronic);
    if (!result.sWarning.empty())
        object["warning"] = result.sWarning;
    return object;
}

void JsonLinesWriter::write(const FileResult& result)
{
    // File names need not be valid UTF-8; replacing stray bytes keeps the line valid JSON.
    m_out << toJson(result).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}
