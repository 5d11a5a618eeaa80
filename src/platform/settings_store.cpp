#include "platform/settings_store.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QVariant>
#include <cstdint>

#include "settings/settings_keys.h"

namespace zarvex::platform {

using settings::SettingsStoreError;
using settings::StoredValue;

namespace {

QString ToQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString GroupKey(std::string_view group, std::string_view name) {
    return ToQString(group) + QLatin1Char('/') + ToQString(name);
}

StoredValue FromVariant(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::Int:
            return StoredValue::Integer(v.toInt());
        case QMetaType::UInt:
            // A registry DWORD: the same 32 bits, read unsigned.
            return StoredValue::Integer(static_cast<std::int32_t>(v.toUInt()));
        case QMetaType::LongLong: {
            const qlonglong n = v.toLongLong();
            if (n < INT32_MIN || n > INT32_MAX)
                return StoredValue{};
            return StoredValue::Integer(static_cast<std::int32_t>(n));
        }
        case QMetaType::ULongLong: {
            const qulonglong n = v.toULongLong();
            if (n > INT32_MAX)
                return StoredValue{};
            return StoredValue::Integer(static_cast<std::int32_t>(n));
        }
        case QMetaType::QString:
            return StoredValue::Text(v.toString().toStdString());
        case QMetaType::QStringList:
            // An INI line written by hand with unquoted commas reads as a list.
            return StoredValue::Text(v.toStringList().join(QStringLiteral(", ")).toStdString());
        default:
            return StoredValue{};
    }
}

QVariant ToVariant(const StoredValue& value) {
    switch (value.kind) {
        case StoredValue::Kind::Integer:
            return QVariant(static_cast<int>(value.integer));
        case StoredValue::Kind::Text:
            return QVariant(ToQString(value.text));
        case StoredValue::Kind::Other:
            break;
    }
    return {};
}

QString StatusText(QSettings::Status status) {
    switch (status) {
        case QSettings::AccessError:
            return QStringLiteral("access denied");
        case QSettings::FormatError:
            return QStringLiteral("not a valid settings file");
        case QSettings::NoError:
            break;
    }
    return QStringLiteral("unknown error");
}

}  // namespace

QString UserSettingsIniPath() {
    const QString root = QString::fromLatin1(settings::kRootKey);  // Software/Kavo/Zarvex/1.0
    const QString below = root.mid(root.indexOf(QLatin1Char('/')) + 1);
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + below + QStringLiteral(".ini");
}

QtSettingsStore QtSettingsStore::ForCurrentUser() {
#ifdef Q_OS_WIN
    QString key = QStringLiteral("HKEY_CURRENT_USER\\") + QString::fromLatin1(settings::kRootKey);
    key.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return QtSettingsStore(key, QSettings::NativeFormat);
#else
    return IniFile(UserSettingsIniPath());
#endif
}

QtSettingsStore QtSettingsStore::IniFile(const QString& path) {
    return QtSettingsStore(path, QSettings::IniFormat);
}

void QtSettingsStore::Fail(const QString& reason) const {
    throw SettingsStoreError((location_ + QStringLiteral(": ") + reason).toStdString());
}

void QtSettingsStore::CheckReadable() const {
    if (format_ != QSettings::IniFormat)
        return;
    // QSettings takes a file it cannot open for an empty one. Read, that would look like
    // "never written" and bring back every dialog; written, it would replace the file
    // and lose the other values.
    const QFileInfo info(location_);
    if (info.exists() && (!info.isFile() || !info.isReadable()))
        Fail(QStringLiteral("cannot be read"));
}

std::unique_ptr<QSettings> QtSettingsStore::OpenForReading() const {
    CheckReadable();
    auto s = std::make_unique<QSettings>(location_, format_);
    if (s->status() != QSettings::NoError)
        Fail(StatusText(s->status()));
    return s;
}

bool QtSettingsStore::HasGroup(std::string_view group) const {
    const auto s = OpenForReading();
    return s->childGroups().contains(ToQString(group));
}

std::optional<StoredValue> QtSettingsStore::Read(std::string_view group,
                                                 std::string_view name) const {
    const auto s = OpenForReading();
    const QVariant v = s->value(GroupKey(group, name));
    if (!v.isValid())
        return std::nullopt;
    return FromVariant(v);
}

void QtSettingsStore::Write(std::string_view group, std::string_view name,
                            const StoredValue& value) {
    if (value.kind == StoredValue::Kind::Other)
        Fail(QStringLiteral("no value to write"));
    CheckReadable();
    QSettings s(location_, format_);
    if (s.status() == QSettings::NoError) {
        s.setValue(GroupKey(group, name), ToVariant(value));
        s.sync();
    }
    if (s.status() != QSettings::NoError)
        Fail(StatusText(s.status()));
}

}  // namespace zarvex::platform
