#include "tools/firmloader/core/procedure_types.h"

#include <cstdio>

namespace tarsel::firmware {

const char* MessageTemplate(MessageId id) {
    switch (id) {
        case MessageId::None:
            return "";
        case MessageId::ImageSetRefused:
            return "%s";
        case MessageId::RomTypeFailed:
            return "Checking ROM type was failed.\n\n\tReturn Code : %d[0x%02X]";
        case MessageId::StillRunRom:
            return "Failed to change to Boot ROM.\nIt's Run ROM connected.";
        case MessageId::NoResponse:
            return "Failed to connect to driver. There was no response.";
        case MessageId::EraseFailed:
            return "Failed to erase ROM.\n\n\tReturn Code : %d[0x%02X]";
        case MessageId::EraseNoResponse:
            return "Failed to erase ROM. There was no response.";
        case MessageId::EraseNotErased:
            return "Failed to erase ROM. ROM was not erased.";
        case MessageId::WriteFailed:
            return "An error occured while writing data to flash.\n\n\tReturn Code : %d[0x%02X]";
        case MessageId::PowerCycle:
            return "Power OFF and ON again to reboot.";
        case MessageId::StillBootRom:
            return "Failed to connect Run ROM.\nIt's Boot ROM connected.\n\nPower OFF and ON again to "
                   "reboot.";
    }
    return "";
}

bool MessageHasCode(MessageId id) {
    return id == MessageId::RomTypeFailed || id == MessageId::EraseFailed || id == MessageId::WriteFailed;
}

std::string MessageText(const ProcedureMessage& message) {
    if (message.id == MessageId::ImageSetRefused) return message.detail;
    if (!MessageHasCode(message.id)) return MessageTemplate(message.id);
    char text[160];
    std::snprintf(text, sizeof text, MessageTemplate(message.id), message.code, message.code);
    return text;
}

}  // namespace tarsel::firmware
