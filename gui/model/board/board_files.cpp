// The data sections of the parameter (.fpt), I/O map (.fit) and position table (.txt) files.
// The windows write and check the "Info" section; these operations read and write the rest.
// Writing keeps every other section and key of an existing file.
#include <strings.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "gui/model/board/CBoardInterface.h"
#include "gui/model/board/board_files.h"
#include "gui/model/ini/ini_file.h"

namespace tarsel {
namespace {

using ini::IniFile;

constexpr const char* kParameterSection = "Parameter";
constexpr const char* kPosTableSection = "PosTable";

IniFile LoadOrNew(const std::string& path) {
    auto file = IniFile::Load(path);
    return file ? std::move(*file) : IniFile{};
}

bool HasEntries(const IniFile& file, const char* section) {
    return file.HasSection(section) && !file.SectionEntries(section).empty();
}

void StartProgress(IProgress* progress, int high) {
    if (!progress) return;
    progress->SetRange(0, high);
    progress->SetStep(1);
    progress->SetPos(0);
}

void Step(IProgress* progress) {
    if (progress) progress->StepIt();
}

std::string PinSection(bool output, unsigned pin) {
    return (output ? "OUTPUT" : "INPUT") + std::to_string(pin) + "_MAP";
}

template <typename T>
void Put(PosTableItem& item, std::size_t offset, T value) {
    std::memcpy(item.data() + offset, &value, sizeof value);
}
template <typename T>
T Get(const PosTableItem& item, std::size_t offset) {
    T value{};
    std::memcpy(&value, item.data() + offset, sizeof value);
    return value;
}

// Offsets of the 16-bit fields after the command, in the order of a file line.
constexpr std::array<std::size_t, 10> kWordFieldsAfterTimes{18, 20, 22, 24, 26, 28, 30, 32, 34, 36};

}  // namespace

bool FileModelMatches(const std::string& path, const std::string& modelName) {
    const auto file = IniFile::Load(path);
    if (!file) return false;
    const std::string model = file->GetString("Info", "Model", "", 200);
    return strcasecmp(model.c_str(), modelName.c_str()) == 0;
}

bool WriteFileModel(const std::string& path, const std::string& modelName) {
    IniFile file = LoadOrNew(path);
    return file.SetString("Info", "Model", modelName) && file.Save(path);
}

std::string FormatPosTableLine(const PosTableItem& item) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "%u\t %d\t %u\t %u\t %u\t %u\t %u\t %u\t %u\t %u\t %u\t %u\t %u\t %u\t %u\t %u\t %u",
                  Get<uint16_t>(item, 16), Get<int32_t>(item, 0), Get<uint32_t>(item, 4),
                  Get<uint32_t>(item, 8), Get<uint16_t>(item, 12), Get<uint16_t>(item, 14),
                  Get<uint16_t>(item, 18), Get<uint16_t>(item, 20), Get<uint16_t>(item, 22),
                  Get<uint16_t>(item, 24), Get<uint16_t>(item, 26), Get<uint16_t>(item, 28),
                  Get<uint16_t>(item, 30), Get<uint16_t>(item, 32), Get<uint16_t>(item, 34),
                  Get<uint16_t>(item, 36), Get<uint16_t>(item, 38));
    return line;
}

void ParsePosTableLine(const std::string& line, PosTableItem& item) {
    // Numbers the line lacks are read as 0.
    std::array<long long, 17> numbers{};
    const char* cursor = line.c_str();
    for (auto& number : numbers) {
        while (*cursor == ' ' || *cursor == '\t' || *cursor == '\r' || *cursor == '\n') ++cursor;
        if (!*cursor) break;
        char* end = nullptr;
        number = std::strtoll(cursor, &end, 10);
        if (end == cursor) break;
        cursor = end;
    }
    Put<uint16_t>(item, 16, static_cast<uint16_t>(numbers[0]));
    Put<int32_t>(item, 0, static_cast<int32_t>(numbers[1]));
    Put<uint32_t>(item, 4, static_cast<uint32_t>(numbers[2]));
    Put<uint32_t>(item, 8, static_cast<uint32_t>(numbers[3]));
    Put<uint16_t>(item, 12, static_cast<uint16_t>(numbers[4]));
    Put<uint16_t>(item, 14, static_cast<uint16_t>(numbers[5]));
    for (std::size_t i = 0; i < kWordFieldsAfterTimes.size(); ++i) {
        Put<uint16_t>(item, kWordFieldsAfterTimes[i], static_cast<uint16_t>(numbers[6 + i]));
    }
    Put<uint16_t>(item, 38, static_cast<uint16_t>(numbers[16]));
}

bool CBoardInterface::LoadParameterFile(const std::string& path, IProgress* progress) {
    const auto file = IniFile::Load(path);
    if (!file) return false;
    int32_t count = file->GetInt(kParameterSection, "ParamCnt", paramCount_);
    if (count > paramCount_ || count < 0) count = paramCount_;
    StartProgress(progress, count);
    if (!HasEntries(*file, kParameterSection)) return false;
    for (uint8_t i = 0; i < paramCount_; ++i) {
        if (!SetParameter(i, file->GetInt(kParameterSection, std::to_string(i), 0))) return false;
        Step(progress);
    }
    return true;
}

bool CBoardInterface::SaveParameterFile(const std::string& path) {
    IniFile file = LoadOrNew(path);
    bool ok = file.SetInt(kParameterSection, "ParamCnt", paramCount_);
    for (uint8_t i = 0; i < paramCount_ && ok; ++i) {
        ok = file.SetInt(kParameterSection, std::to_string(i), GetParameterValue(i));
    }
    return ok && file.Save(path);
}

bool CBoardInterface::LoadIOMapFile(const std::string& path, IProgress* progress) {
    const auto file = IniFile::Load(path);
    if (!file || !HasEntries(*file, "INPUT0_MAP")) return false;
    for (bool output : {false, true}) {
        const CIOSide& side = io_.Side(output);
        for (uint8_t pin = 0; pin < side.PinCount(); ++pin) {
            const std::string section = PinSection(output, pin);
            const auto level = static_cast<uint8_t>(file->GetInt(section, "Level", 0) ? 1 : 0);
            bool ok = false;
            if (pin < side.FixedCount()) {
                ok = output ? SetOutputPinLevel(pin, level) : SetInputPinLevel(pin, level);
            } else {
                const auto logic = static_cast<uint8_t>(file->GetInt(section, "LogicNo", 0));
                ok = output ? AssignOutputPinEx(pin, logic, level) : AssignInputPinEx(pin, logic, level);
            }
            if (!ok) return false;
            Step(progress);
        }
    }
    return true;
}

bool CBoardInterface::SaveIOMapFile(const std::string& path) {
    const CIOInfo io = GetIOInfo();
    IniFile file = LoadOrNew(path);
    bool ok = true;
    for (bool output : {false, true}) {
        const CIOSide& side = io.Side(output);
        for (uint8_t pin = 0; pin < side.PinCount() && ok; ++pin) {
            const std::string section = PinSection(output, pin);
            const uint8_t signal = side.SignalOnPin(pin);
            const SignalRecord* record = signal > 0 ? side.Record(signal) : nullptr;
            if (pin >= side.FixedCount()) ok = file.SetInt(section, "LogicNo", record ? signal : 0);
            if (ok && record) ok = file.SetInt(section, "Level", record->level);
        }
    }
    return ok && file.Save(path);
}

bool CBoardInterface::LoadPosTableFile(const std::string& path, IProgress* progress) {
    const auto file = IniFile::Load(path);
    if (!file) return false;
    StartProgress(progress, itemCount_);
    std::array<uint32_t, 8> bitmap{};
    if (!ReadPosTableDataMap(bitmap)) return false;
    for (uint16_t i = 0; i < itemCount_; ++i) {
        PosTableItem item;
        item.fill(0xFF);
        const auto line = file->Find(kPosTableSection, std::to_string(i));
        const bool hasData = i < 256 && ((bitmap[i / 32] >> (i % 32)) & 1u) != 0;
        if (line) {
            ParsePosTableLine(line->substr(0, 1024), item);
        } else if (hasData) {
            Put<uint16_t>(item, 16, 10);
        }
        if (!WritePosTableItem(i, item, false)) return false;
        Step(progress);
    }
    return true;
}

bool CBoardInterface::SavePosTableFile(const std::string& path) {
    IniFile file = LoadOrNew(path);
    bool ok = true;
    for (uint16_t i = 0; i < itemCount_ && ok; ++i) {
        const auto item = GetPosTableItem(i);
        if (!item || Get<uint16_t>(*item, 16) >= 10) continue;
        ok = file.SetString(kPosTableSection, std::to_string(i), FormatPosTableLine(*item));
    }
    return ok && file.Save(path);
}

}  // namespace tarsel
