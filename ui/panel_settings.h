#pragma once
// The settings of the panel that its host lets the user change, kept with
// QSettings under the editor's own name so the host application and the
// plug-in in its process read the same values. GUI thread only.

// Read back and compare every field after a cam write (default on).
bool VerifyAfterWriteSetting();
void SetVerifyAfterWriteSetting(bool on);
