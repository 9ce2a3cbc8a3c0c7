#pragma once
// Export marker for the host services library. The library is shared so that
// the host application and the panel plug-in see one logic-manager singleton;
// the plug-in is built with hidden visibility, so every class it uses from
// here carries default visibility explicitly.
#define ECAM_HOST_API __attribute__((visibility("default")))
