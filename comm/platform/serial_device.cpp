// The platform-neutral part of the serial device: the texts of a failed open.
#include "comm/platform/serial_device.h"

namespace tarsel::platform {

const char* DescribeOpenError(OpenError error) {
    switch (error) {
        case OpenError::None:
            return "The port was opened.";
        case OpenError::NoSuchPort:
            return "The serial port does not exist. Check that the adapter is plugged in.";
        case OpenError::PermissionDenied:
            return "You may not open the serial port. Ask for membership of the 'dialout' group, then "
                   "log in again.";
        case OpenError::Busy:
            return "The serial port is in use by another program.";
        case OpenError::NotSerial:
            return "The device is not a serial port.";
        case OpenError::ConfigFailed:
            return "The serial port refused the line settings, for instance the baud rate.";
        case OpenError::Other:
            break;
    }
    return "The serial port could not be opened.";
}

}  // namespace tarsel::platform
