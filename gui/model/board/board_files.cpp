// The board's side of the parameter (.fpt), I/O map (.fit) and position table (.txt) files: the
// file formats live in formats/files; these operations move values between them and the drive.
// Each save writes the whole file, "Info"/"Model" included; an existing file that cannot be read
// is never replaced.
#include "base/ini/ini_file.h"
#include "formats/files/io_map_file.h"
#include "formats/files/parameter_file.h"
#include "formats/files/pos_table_file.h"
#include "gui/model/board/CBoardInterface.h"

namespace tarsel {
namespace {

void StartProgress(IProgress* progress, int high) {
    if (!progress) return;
    progress->SetRange(0, high);
    progress->SetStep(1);
    progress->SetPos(0);
}

void Step(IProgress* progress) {
    if (progress) progress->StepIt();
}

files::IoMapSide ToFileSide(const CIOSide& side) {
    files::IoMapSide result;
    result.fixed_count = side.FixedCount();
    result.pins.resize(side.PinCount());
    for (uint8_t pin = 0; pin < side.PinCount(); ++pin) {
        const uint8_t signal = side.SignalOnPin(pin);
        const SignalRecord* record = signal > 0 ? side.Record(signal) : nullptr;
        if (!record) continue;
        result.pins[pin] = {signal, record->level, true};
    }
    return result;
}

}  // namespace

bool CBoardInterface::LoadParameterFile(const std::string& path, IProgress* progress) {
    const auto file = ini::IniFile::Load(path);
    if (!file) return false;
    const auto read = files::ReadParameterSection(*file, paramCount_);
    if (!read) return false;
    StartProgress(progress, read->progress_range);
    for (uint8_t i = 0; i < paramCount_; ++i) {
        if (!SetParameter(i, read->values[i])) return false;
        Step(progress);
    }
    return true;
}

bool CBoardInterface::SaveParameterFile(const std::string& path) {
    std::vector<int32_t> values;
    values.reserve(paramCount_);
    for (uint8_t i = 0; i < paramCount_; ++i) values.push_back(GetParameterValue(i));
    return files::SaveParameterFile(path, GetModelName(), values);
}

bool CBoardInterface::LoadIOMapFile(const std::string& path, IProgress* progress) {
    const auto file = ini::IniFile::Load(path);
    if (!file) return false;
    const CIOSide& inputs = io_.Side(false);
    const CIOSide& outputs = io_.Side(true);
    const auto settings = files::ReadIoMapSections(*file, inputs.PinCount(), inputs.FixedCount(),
                                                   outputs.PinCount(), outputs.FixedCount());
    if (!settings) return false;
    for (bool output : {false, true}) {
        const files::IoMapSide& side = output ? settings->outputs : settings->inputs;
        for (uint8_t pin = 0; pin < side.pins.size(); ++pin) {
            const auto level = static_cast<uint8_t>(side.pins[pin].level ? 1 : 0);
            bool ok = false;
            if (pin < side.fixed_count) {
                ok = output ? SetOutputPinLevel(pin, level) : SetInputPinLevel(pin, level);
            } else {
                const auto logic = static_cast<uint8_t>(side.pins[pin].logic);
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
    const files::IoMapSettings settings{ToFileSide(io.input), ToFileSide(io.output)};
    return files::SaveIoMapFile(path, GetModelName(), settings);
}

bool CBoardInterface::LoadPosTableFile(const std::string& path, IProgress* progress) {
    const auto file = ini::IniFile::Load(path);
    if (!file) return false;
    StartProgress(progress, itemCount_);
    std::array<uint32_t, 8> bitmap{};
    if (!ReadPosTableDataMap(bitmap)) return false;
    for (uint16_t i = 0; i < itemCount_; ++i) {
        PosTableItem item;
        item.fill(0xFF);
        const bool hasData = i < 256 && ((bitmap[i / 32] >> (i % 32)) & 1u) != 0;
        if (const auto line = files::ReadPosTableItem(*file, i)) {
            item = *line;
        } else if (hasData) {
            item[files::kPosTableCommandOffset] = files::kEmptyItemCommand;
            item[files::kPosTableCommandOffset + 1] = 0;
        }
        if (!WritePosTableItem(i, item, false)) return false;
        Step(progress);
    }
    return true;
}

bool CBoardInterface::SavePosTableFile(const std::string& path) {
    std::vector<PosTableItem> items;
    items.reserve(itemCount_);
    for (uint16_t i = 0; i < itemCount_; ++i) {
        auto item = GetPosTableItem(i);
        if (!item) {
            item.emplace();
            item->fill(0xFF);  // an item the board does not hold gets no line
        }
        items.push_back(*item);
    }
    return files::SavePosTableFile(path, GetModelName(), items);
}

}  // namespace tarsel
