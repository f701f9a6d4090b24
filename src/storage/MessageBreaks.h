#pragma once

// The two paragraph breaks of the program's messages. The messages users have always seen were
// worded with "\n\r\n\r", the export, attachment and booking questions with "\r\n\r\n"; people and
// their tools compare messages exactly, so each message keeps its own. They are macros so that a
// message stays one literal: QStringLiteral("First." RF_BREAK_LF_CR "Second.").
#define RF_BREAK_LF_CR "\n\r\n\r"
#define RF_BREAK_CR_LF "\r\n\r\n"
