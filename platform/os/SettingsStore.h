#pragma once

#include <QString>

namespace os {

// The store of remembered settings, keyed as the registry was: a root ("HKEY_LOCAL_MACHINE"), a key path
// ("Software\Maker\Product 1.0", backslashes or slashes), a section (a subkey of the key) and a value name.
// Each root and key is one INI file (see IniDocument):
//     <folder>/<root>/<key path components as folders>.ini
// where <folder> is $APP_SETTINGS_DIR when that is set, else the user's configuration folder ($XDG_CONFIG_HOME,
// normally ~/.config).
//
// The store never stops its caller: a store that cannot be read (missing, a folder where the file should be,
// unreadable) reads as the defaults, and a write that fails returns false, which the caller may ignore.
// Missing folders (keys) and sections are created by a write. Each call reads the file afresh; a write
// replaces the file in one step, so a crash leaves the old or the new file, never half of one.
class SettingsStore
{
public:
    SettingsStore(const QString& root, const QString& keyPath, const QString& folder = defaultFolder());

    static QString defaultFolder();

    const QString& filePath() const { return m_filePath; }

    QString readString(const QString& section, const QString& name, const QString& defaultValue = {}) const;
    bool writeString(const QString& section, const QString& name, const QString& value) const;

private:
    QString m_filePath;
};

} // namespace os
