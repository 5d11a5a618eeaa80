#include "settings/show_flags.h"

#include "settings/settings_keys.h"

namespace zarvex::settings {

const char* ShowFlagName(ShowFlag flag) {
    switch (flag) {
        case ShowFlag::TemplatePicker:
            return kShowTempletsDialog;
        case ShowFlag::LinkTip:
            return kShowLinkTipDialog;
    }
    return kShowLinkTipDialog;
}

bool ReadShowFlag(const ISettingsStore& store, ShowFlag flag) {
    try {
        const auto value = store.Read(kSettingsGroup, ShowFlagName(flag));
        if (!value)
            return kShowFlagWhenAbsent;
        return AsBoolean(*value).value_or(kShowFlagWhenUnreadable);
    } catch (const SettingsStoreError&) {
        return kShowFlagWhenUnreadable;
    }
}

void WriteShowFlag(ISettingsStore& store, ShowFlag flag, bool show) {
    if (show) {
        store.Write(kSettingsGroup, ShowFlagName(flag), StoredValue::Boolean(true));
        return;
    }
    try {
        store.Write(kSettingsGroup, ShowFlagName(flag), StoredValue::Boolean(false));
    } catch (const SettingsStoreError&) {
        // Declining a dialog must not raise an error box of its own.
    }
}

}  // namespace zarvex::settings
