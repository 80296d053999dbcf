#pragma once
// Points the per-user settings store at a fresh temporary folder for one
// test, so no test reads or changes the settings of whoever runs it.
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

namespace qel::test {

class TempSettingsStore {
  public:
    TempSettingsStore() : previousFormat_(QSettings::defaultFormat()) {
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_.path());
    }
    ~TempSettingsStore() { QSettings::setDefaultFormat(previousFormat_); }
    TempSettingsStore(const TempSettingsStore&) = delete;
    TempSettingsStore& operator=(const TempSettingsStore&) = delete;

    QString folder() const { return folder_.path(); }
    // The program's own store, read and written past the program.
    static QVariant stored(const QString& key) {
        const QSettings store(QSettings::IniFormat, QSettings::UserScope, "qeltimer", "qeltimer");
        return store.value(key);
    }
    static void store(const QString& key, const QString& text) {
        QSettings store(QSettings::IniFormat, QSettings::UserScope, "qeltimer", "qeltimer");
        store.setValue(key, text);
    }

  private:
    QTemporaryDir folder_;
    QSettings::Format previousFormat_;
};

}  // namespace qel::test
