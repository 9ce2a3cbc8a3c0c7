#pragma once
// The settings of the panel that its host lets the user change, kept with
// QSettings under the editor's own name so the host application and the
// plug-in in its process read the same values. GUI thread only.
#include <QString>

// Read back and compare every field after a cam write (default on).
bool VerifyAfterWriteSetting();
void SetVerifyAfterWriteSetting(bool on);

// The folder a file dialog of one kind last chose a file in (empty: none
// yet). The kind is a short key without slashes, e.g. "ecam".
QString LastDirectorySetting(const QString& kind);
void SetLastDirectorySetting(const QString& kind, const QString& directory);
