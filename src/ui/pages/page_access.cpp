#include "ui/pages/page_access.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QToolButton>

#include "ui/pages/page_widgets.h"

namespace zarvex::ui {

namespace {

bool IsField(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QComboBox*>(widget);
}

bool IsHelpButton(const QWidget* widget) {
    return qobject_cast<const QToolButton*>(widget) && widget->property(kHelpTagProperty).isValid();
}

}  // namespace

void ConnectLabelsAndHelp(QWidget* pages) {
    for (QLayout* layout : pages->findChildren<QLayout*>()) {
        for (int i = 0; i + 1 < layout->count(); ++i) {
            auto* label = qobject_cast<QLabel*>(layout->itemAt(i)->widget());
            QWidget* field = layout->itemAt(i + 1)->widget();
            if (!label || label->buddy() || !IsField(field))
                continue;
            label->setBuddy(field);
            if (field->accessibleName().isEmpty())
                field->setAccessibleName(label->text().remove('&').trimmed());
        }
    }
    for (QGroupBox* group : pages->findChildren<QGroupBox*>()) {
        QWidget* help = nullptr;
        QWidget* last = nullptr;
        for (QWidget* child : group->findChildren<QWidget*>()) {
            if (IsHelpButton(child))
                help = child;
            else if ((child->focusPolicy() & Qt::TabFocus) && child->parentWidget() == group)
                last = child;
        }
        if (help && last)
            QWidget::setTabOrder(last, help);
    }
}

}  // namespace zarvex::ui
