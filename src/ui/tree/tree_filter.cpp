#include "ui/tree/tree_filter.h"

#include <QAbstractListModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

#include "model/item_search.h"
#include "platform/text_codec.h"

namespace zarvex::ui {

// The found items, read from the records only when the view paints them.
class FoundItemsModel final : public QAbstractListModel {
  public:
    FoundItemsModel(const TItemArray& items, QObject* parent)
        : QAbstractListModel(parent), items_(items) {}

    void SetFound(std::vector<int> found) {
        beginResetModel();
        found_ = std::move(found);
        endResetModel();
    }
    const std::vector<int>& Found() const { return found_; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(found_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= static_cast<int>(found_.size()))
            return {};
        const std::size_t item = static_cast<std::size_t>(found_[index.row()]);
        if (item >= items_.size())
            return {};
        if (role == Qt::DisplayRole) {
            const TItemData& record = items_[item];
            const QString caption = platform::DecodeFieldText(record.Text);
            return record.Link.empty() ? caption
                                       : caption + QStringLiteral("  \u2014  ") +
                                             platform::DecodeFieldText(record.Link);
        }
        return {};
    }

  private:
    const TItemArray& items_;
    std::vector<int> found_;
};

TreeFilter::TreeFilter(const TItemArray& items, QWidget* tree, QWidget* parent)
    : QWidget(parent), items_(items), tree_(tree) {
    setObjectName("pnlTreeFilter");
    box_ = new QLineEdit(this);
    box_->setObjectName("edtTreeFilter");
    box_->setPlaceholderText(tr("Find items by caption or link"));
    box_->setAccessibleName(tr("Find items"));
    box_->setClearButtonEnabled(true);
    box_->installEventFilter(this);
    count_ = new QLabel(this);
    count_->setObjectName("lblTreeFilterCount");
    count_->hide();
    found_ = new FoundItemsModel(items, this);
    results_ = new QListView(parent);
    results_->setObjectName("lstTreeFilterResults");
    results_->setAccessibleName(tr("Found items"));
    results_->setUniformItemSizes(true);
    results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results_->setModel(found_);
    results_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(box_);
    layout->addWidget(count_);

    connect(box_, &QLineEdit::textChanged, this, &TreeFilter::Search);
    const auto choose = [this](const QModelIndex& index) {
        if (index.isValid())
            emit chosen(found_->Found().at(static_cast<std::size_t>(index.row())) + 1);
    };
    connect(results_, &QListView::activated, this, choose);
    connect(results_, &QListView::clicked, this, choose);
    connect(results_->selectionModel(), &QItemSelectionModel::currentChanged, this, choose);
}

TreeFilter::~TreeFilter() = default;

const std::vector<int>& TreeFilter::Found() const {
    return found_->Found();
}

void TreeFilter::Refresh() {
    if (!box_->text().isEmpty())
        Search();
}

void TreeFilter::Search() {
    const QString text = box_->text();
    const bool filtering = !text.isEmpty();
    found_->SetFound(FindItems(items_, platform::EncodeFieldText(text)));
    count_->setText(tr("%n item(s) found", nullptr, static_cast<int>(found_->Found().size())));
    count_->setVisible(filtering);
    results_->setVisible(filtering);
    tree_->setVisible(!filtering);
}

bool TreeFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_ && !box_->text().isEmpty()) {
        if (event->type() == QEvent::ShortcutOverride &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            event->accept();  // clears the box rather than closing the window
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape) {
                box_->clear();
                return true;
            }
            if (key == Qt::Key_Down && found_->rowCount() > 0) {
                results_->setFocus();
                results_->setCurrentIndex(found_->index(0));
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zarvex::ui
