// What distinguishes the transport of one program from another's.  One implementation of the
// serial link serves them all; each program picks its configuration.
#pragma once

namespace tarsel {

struct TransportConfig {
    bool communicationLog = true;         // log lines and dumps are written
    bool timeoutCounts = false;           // per-slave counts of consecutive timeouts
    bool legacyFormCapable = false;       // the port may fall back to the legacy frame form
    bool autoDetectEveryRequest = false;  // every DoSendCommand detects the frame form
    bool frameTypeErrorIsFrame = false;   // status-only 0x80 is logged "Frame type error."
    bool noRespInCurrentForm = false;     // broadcasts follow the port's frame form

    // The configuration program: log, timeout counts, form detection for probes.
    static constexpr TransportConfig Gui() { return {true, true, true, false, false, false}; }
    // The shared library: sequenced form only, log, "Frame type error." line.
    static constexpr TransportConfig Library() { return {true, false, false, false, true, false}; }
    // The firmware writer: no log, form detection on every request, broadcasts in the port's form.
    static constexpr TransportConfig FirmwareWriter() { return {false, false, true, true, false, true}; }
    // The slave-number tool: no log, form detection on every request.
    static constexpr TransportConfig SlaveIdTool() { return {false, false, true, true, false, false}; }
    // The frame bench: port layer only, no log.
    static constexpr TransportConfig FrameBench() { return {false, false, false, false, false, false}; }
};

}  // namespace tarsel
