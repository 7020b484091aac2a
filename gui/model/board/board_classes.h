// The five drive families without a parameter set of their own beyond the common one (their
// servo, brake and stepper alarm-reset commands are on CBoardInterface, refused by the types
// without them).  The BLDC servo is in CBoardDorrinTevraBLDC.h.
#pragma once

#include <memory>

#include "gui/model/board/CBoardInterface.h"

namespace tarsel {

class CBoardDorrinTevra : public CBoardInterface {
public:
    CBoardDorrinTevra(uint8_t slave, IBoardCommands& port, const SlaveInfo* info,
                      const CDefaultParam* defaults, BoardContext context)
        : CBoardInterface(slave, port, info, defaults, tarsel::TypeInfo(board_type::kServo), context) {}
};

class CBoardDorrinTevraAbs : public CBoardInterface {
public:
    CBoardDorrinTevraAbs(uint8_t slave, IBoardCommands& port, const SlaveInfo* info,
                         const CDefaultParam* defaults, BoardContext context)
        : CBoardInterface(slave, port, info, defaults, tarsel::TypeInfo(board_type::kAbsServo), context) {}
};

class CBoardRavelo : public CBoardInterface {
public:
    CBoardRavelo(uint8_t slave, IBoardCommands& port, const SlaveInfo* info, const CDefaultParam* defaults,
                 BoardContext context)
        : CBoardInterface(slave, port, info, defaults, tarsel::TypeInfo(board_type::kMotionController),
                          context) {}
};

class CBoardRavelo2 : public CBoardInterface {
public:
    CBoardRavelo2(uint8_t slave, IBoardCommands& port, const SlaveInfo* info, const CDefaultParam* defaults,
                  BoardContext context)
        : CBoardInterface(slave, port, info, defaults, tarsel::TypeInfo(board_type::kMotionController2),
                          context) {}
};

class CBoardPellinTevra : public CBoardInterface {
public:
    CBoardPellinTevra(uint8_t slave, IBoardCommands& port, const SlaveInfo* info,
                      const CDefaultParam* defaults, BoardContext context)
        : CBoardInterface(slave, port, info, defaults, tarsel::TypeInfo(board_type::kStepper), context) {}

    bool IsMotorOn() const override;
    virtual bool GetStepCurrent(uint8_t index, uint16_t& value);
    virtual bool SetStepCurrent(uint16_t value);
    virtual bool GetStepVersionText(char* buffer, uint32_t size);
    // The version text must read "Pellin Bipolar Version <x> <0|1> <y>"; variant is the fifth word.
    virtual bool CheckStepVersion(int& variant);
    virtual bool GetStepMotorData(std::array<uint8_t, 64>& data);
    virtual bool SetStepMotorData(uint8_t index);
};

// Splits a stepper version text into the words the version check looks at.
bool ParseStepVersion(const std::string& text, int& variant);

// The board object for a drive model code (any unknown code gets the servo's class).  For code 40
// `defaults` must be the BLDC table.
std::unique_ptr<CBoardInterface> CreateBoard(uint8_t modelCode, uint8_t slave, IBoardCommands& port,
                                             const SlaveInfo* info, const CDefaultParam* defaults,
                                             BoardContext context);

}  // namespace tarsel
