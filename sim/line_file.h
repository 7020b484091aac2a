// Text descriptions of a line for drivesim: drive specs ("3:20,form=legacy"), fault specs
// ("drop:2,count=5") and line files (INI, one section per slave).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/simulator.h"

namespace tarsel::sim {

struct LineDescription {
    LineOptions options;
    std::vector<DriveConfig> drives;
};

struct FaultRequest {
    bool hangUp = false;  // "hangup": the whole line goes down
    uint32_t hangUpAfterMs = 0;
    FaultSpec spec;
    std::optional<uint8_t> slave;
};

// "S:MODEL[,key=value]...": keys version, fwtype, form, name, motor, motorname, inputs, outputs,
// table, variant, boot.  `error` tells what is wrong when it returns nothing.
std::optional<DriveConfig> ParseDriveSpec(const std::string& text, std::string& error);
// "KIND[:SLAVE][,count=N][,rate=R][,delay=MS][,bit=N][,bytes=HEX...][,pause=MS]" with KIND one
// of drop, delay, crc, flip, stray, stale, silent, echo, truncate, duplicate, split, hangup
// ("hangup[,after=MS]").
std::optional<FaultRequest> ParseFaultSpec(const std::string& text, std::string& error);
// Line file: optional [Line] (Baud, Pace, Turnaround) and sections [Slave<N>] with the keys
// Model, Version, FirmwareType, Form, Name, MotorNumber, MotorName, Inputs, Outputs, TableSize,
// StepperVariant, BootRom.  Read with the profile semantics of the INI module; in addition, lines
// starting with '#' are comments and a drive value may end in a comment ("Model=1   ; servo").
bool LoadLineFile(const std::string& path, LineDescription& line, std::string& error);

}  // namespace tarsel::sim
