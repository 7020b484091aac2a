#include "gui/views/io_recorder.h"

#include <cstdio>
#include <ctime>

#include "base/ini/atomic_file.h"

namespace tarsel::views {
namespace {

std::string FormatTime(std::chrono::system_clock::time_point time) {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(time.time_since_epoch()).count();
    std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    long millis = static_cast<long>(ms % 1000);
    if (millis < 0) {  // before 1970: floor to the whole second below
        millis += 1000;
        --seconds;
    }
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[40];
    const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    std::snprintf(text + n, sizeof text - n, ".%03ld", millis);
    return text;
}

}  // namespace

bool IoRecorder::Add(const Sample& sample) {
    if (!samples_.empty()) {
        const Sample& last = samples_.back();
        if (last.slave == sample.slave && last.inputs == sample.inputs && last.outputs == sample.outputs)
            return false;
    }
    if (samples_.size() >= limit_) {
        samples_.pop_front();
        ++dropped_;
    }
    samples_.push_back(sample);
    return true;
}

void IoRecorder::Clear() {
    samples_.clear();
    dropped_ = 0;
}

std::string IoRecorder::ToCsv() const {
    std::string out = "Time,Slave,Inputs,Outputs\r\n";
    char line[96];
    for (const Sample& s : samples_) {
        std::snprintf(line, sizeof line, ",%u,0x%010llX,0x%08X\r\n", static_cast<unsigned>(s.slave),
                      static_cast<unsigned long long>(s.inputs), static_cast<unsigned>(s.outputs));
        out += FormatTime(s.time);
        out += line;
    }
    return out;
}

bool IoRecorder::Save(const std::filesystem::path& path) const {
    return ini::ReplaceFileContents(path, ToCsv());
}

}  // namespace tarsel::views
