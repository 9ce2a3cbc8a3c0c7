#pragma once
// What the function-code dialog (and ecamctl) shows of the parameter catalogue and of the
// typed-value checks, in the UI's language. The catalogue and the checks
// (drive/cam_fun_codes.h) speak Chinese and know nothing of Qt; their words
// are translated here, where they reach the screen. A catalogue word with no
// translation (another catalogue, ECAM_FUNCODES) is shown as it is.
// GUI thread, after the translators are installed.
#include "host/fun_code.h"

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

// A name, unit or option label of the catalogue.
QString FunCodeWord(const std::wstring& word);

// "value-label", the label translated (camfuncodes::OptionText).
QString FunCodeOptionText(const FunCodeOption& option);

// The value as the value column shows it (camfuncodes::FormatFunCodeValue).
QString FunCodeValueText(const CFunCode& p, int32_t value);

// A message of camfuncodes::CheckFunCodeInput or CheckTypedValue for a
// parameter with these limits, translated; one it does not know as it came.
QString FunCodeProblemText(const std::string& problem, int32_t min, int32_t max);

// camfuncodes::CheckFunCodeInput with its message translated: empty when the
// text is good (*value then holds it).
QString FunCodeInputProblem(std::wstring_view text, int32_t min, int32_t max, int32_t* value);
