// Fixes the ANSI code page for one test and returns to the automatic choice afterwards.
#pragma once

#include "base/ini/code_page.h"

namespace tarsel::testing {

class CodePageScope {
public:
    explicit CodePageScope(int code_page) { ini::SetAnsiCodePage(code_page); }
    ~CodePageScope() { ini::SetAnsiCodePage(0); }
    CodePageScope(const CodePageScope&) = delete;
    CodePageScope& operator=(const CodePageScope&) = delete;
};

}  // namespace tarsel::testing
