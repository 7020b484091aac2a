#include "comm/return_codes.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

struct ReportRow {
    int code;
    const char* title;
    const char* name;
    bool described;
    ReportButtons buttons;
};

TEST(ReturnCodes, TitleNameDescriptionAndButtonsPerCode) {
    const ReportRow rows[] = {
        {1, "Communication Error", "ZMM_NOT_OPEN", true, ReportButtons::Ok},
        {2, "Communication Error", "ZMM_INVALID_PORT_NUM", false, ReportButtons::Ok},
        {3, "Communication Error", "ZMM_INVALID_SLAVE_NUM", true, ReportButtons::Ok},
        {5, "Communication Error", "ZMC_DISCONNECTED", true, ReportButtons::Ok},
        {6, "Communication Error", "ZMC_TIMEOUT_ERROR", true, ReportButtons::RetryCancel},
        {7, "Communication Error", "ZMC_CRCFAILED_ERROR", true, ReportButtons::RetryCancel},
        {8, "Communication Error", "ZMC_RECVPACKET_ERROR", true, ReportButtons::Ok},
        {9, "Command Execution Failure", "ZMM_POSTABLE_ERROR", true, ReportButtons::Ok},
        {0x80, "Communication Error", "ZMP_FRAMETYPEERROR", true, ReportButtons::Ok},
        {0x81, "Communication Error", "ZMP_DATAERROR", true, ReportButtons::Ok},
        {0x82, "Communication Error", "ZMP_PACKETERROR", false, ReportButtons::Ok},
        {0x85, "Wrong Command", "ZMP_RUNFAIL", true, ReportButtons::Ok},
        {0x86, "Wrong Command", "ZMP_RESETFAIL", true, ReportButtons::Ok},
        {0x87, "Wrong Command", "ZMP_SERVOONFAIL1", true, ReportButtons::Ok},
        {0x88, "Wrong Command", "ZMP_SERVOONFAIL2", true, ReportButtons::Ok},
        {0x89, "Wrong Command", "ZMP_SERVOONFAIL3", true, ReportButtons::Ok},
        {0xAA, "Communication Error", "ZMP_PACKETCRCERROR", true, ReportButtons::Ok},
        {4, "Unknown Error", "", false, ReportButtons::Ok},
        {0x83, "Unknown Error", "", false, ReportButtons::Ok},
        {0x84, "Unknown Error", "", false, ReportButtons::Ok},
    };
    for (const ReportRow& row : rows) {
        const FailureReport report = ComposeFailureReport("ZEL_GetParameter", row.code);
        EXPECT_EQ(report.title, row.title) << row.code;
        EXPECT_STREQ(ReturnCodeName(row.code), row.name) << row.code;
        EXPECT_EQ(ReturnCodeDescription(row.code) != nullptr, row.described) << row.code;
        EXPECT_EQ(report.text.find("\n      ") != std::string::npos, row.described) << row.code;
        EXPECT_EQ(report.buttons, row.buttons) << row.code;
        EXPECT_EQ(report.icon, ReportIcon::Exclamation);
    }
}

TEST(ReturnCodes, ReportTexts) {
    EXPECT_EQ(
        ComposeFailureReport("ZEL_GetParameter", 6).text,
        "The command is failed.\n\n   Command : ZEL_GetParameter\n\n   Return code : ZMC_TIMEOUT_ERROR [0x06]"
        "\n      Response delay occurs.");
    EXPECT_EQ(ComposeFailureReport("ZEL_SetParameter", 2).text,
              "The command is failed.\n\n   Command : ZEL_SetParameter\n\n   Return code : "
              "ZMM_INVALID_PORT_NUM [0x02]");
    EXPECT_EQ(
        ComposeFailureReport("DoCmdSTEPVersion", 0x82).text,
        "The command returned an error.\n\n   Command : DoCmdSTEPVersion\n\n   Return code : ZMP_PACKETERROR "
        "[0x82]");
    EXPECT_EQ(
        ComposeFailureReport("ZEL_ServoEnable", 0x87).text,
        "The command returned an error.\n\n   Command : ZEL_ServoEnable\n\n   Return code : ZMP_SERVOONFAIL1 "
        "[0x87]\n      An alarm has occurred.");
    EXPECT_EQ(ComposeFailureReport("ZEL_MoveStop", 0x83).text,
              "The command returned an error.\n\n   Command : ZEL_MoveStop\n\n   Return code : [0x83]");
    EXPECT_STREQ(ReturnCodeName(0), "");
}

}  // namespace
}  // namespace tarsel
