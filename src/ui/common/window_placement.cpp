#include "ui/common/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "settings/settings_store_interface.h"

namespace zarvex::ui {

void SizeAndCentre(QWidget& window, QSize clientSize) {
    window.resize(clientSize.expandedTo(window.minimumSizeHint()));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

namespace {

const char* const kWindowGroup = "Window";

QByteArray ReadBytes(const settings::ISettingsStore& store, const char* name) {
    try {
        const auto value = store.Read(kWindowGroup, name);
        if (value && value->kind == settings::StoredValue::Kind::Text)
            return QByteArray::fromBase64(QByteArray::fromStdString(value->text));
    } catch (const settings::SettingsStoreError&) {
    }
    return {};
}

bool ReadFlag(const settings::ISettingsStore& store, const char* name, bool absent) {
    try {
        if (const auto value = store.Read(kWindowGroup, name))
            return settings::AsBoolean(*value).value_or(absent);
    } catch (const settings::SettingsStoreError&) {
    }
    return absent;
}

}  // namespace

WindowLook ReadWindowLook(const settings::ISettingsStore& store) {
    WindowLook look;
    look.geometry = ReadBytes(store, "Geometry");
    look.bars = ReadBytes(store, "Bars");
    look.splitter = ReadBytes(store, "Splitter");
    look.toolBar = ReadFlag(store, "ToolBar", true);
    look.statusBar = ReadFlag(store, "StatusBar", true);
    return look;
}

void WriteWindowLook(settings::ISettingsStore& store, const WindowLook& look) {
    using settings::StoredValue;
    try {
        store.Write(kWindowGroup, "Geometry",
                    StoredValue::Text(look.geometry.toBase64().toStdString()));
        store.Write(kWindowGroup, "Bars", StoredValue::Text(look.bars.toBase64().toStdString()));
        store.Write(kWindowGroup, "Splitter",
                    StoredValue::Text(look.splitter.toBase64().toStdString()));
        store.Write(kWindowGroup, "ToolBar", StoredValue::Boolean(look.toolBar));
        store.Write(kWindowGroup, "StatusBar", StoredValue::Boolean(look.statusBar));
    } catch (const settings::SettingsStoreError&) {
    }
}

}  // namespace zarvex::ui
