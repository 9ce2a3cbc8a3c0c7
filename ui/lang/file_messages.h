#pragma once
// The file layer's Chinese words (a refused file, files/read_limits.h; a
// point list's syntax; a profile's form) in the UI's language. The file
// layer stays plain C++ without Qt, so it writes the source texts and the
// panel's boxes and ecamctl's messages translate them here. In Chinese the words are
// the file layer's own, byte for byte.
// Any thread, after the translators are installed.
#include "files/read_limits.h"

#include <QString>

#include <string>

// The words for `kind`; empty for the kinds that have none of their own.
QString ReadFailureWords(ecam::ReadFailure kind);

// `message` with every refusal of the file layer in it translated; the rest
// (paths, the system's own descriptions) as it came.
QString FileLayerMessage(const std::string& message);
