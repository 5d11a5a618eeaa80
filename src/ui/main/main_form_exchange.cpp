// File > Import > From Web Page, From Sitemap, From JSON, and File > Export > JSON. An
// import is read and checked whole first; only then do its items join the open design,
// after its own, as one step the edit history can undo.
#include <QUndoStack>

#include "exchange/exchange_files.h"
#include "exchange/html_import.h"
#include "exchange/sitemap_import.h"
#include "platform/text_codec.h"
#include "ui/dialogs/dialog_service.h"
#include "ui/main/main_form.h"
#include "ui/tree/import_blocks_command.h"

namespace zarvex::ui {

namespace {

const char* const kPageFilter = "Web Pages (*.html;*.htm)|*.html;*.htm|All Files (*)|*";
const char* const kSitemapFilter = "Sitemaps (*.xml)|*.xml|All Files (*)|*";
const char* const kJsonFilter = "JSON Files (*.json)|*.json";

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void TMainForm::ImportFromWebPage1Click() {
    const auto chosen = dialogs_.GetOpenFileName(this, QString::fromLatin1(kPageFilter));
    if (!chosen)
        return;
    const std::string path = ToCorePath(*chosen);
    std::vector<exchange::NavigationList> lists =
        exchange::FindNavigationLists(exchange::ReadImportFile(path), path);
    std::size_t pick = 0;
    if (lists.size() > 1) {
        QStringList entries;
        for (std::size_t i = 0; i < lists.size(); ++i)
            entries << FromUtf8(exchange::ListChoice(lists[i], i + 1));
        const std::optional<int> answer =
            dialogs_.ChooseFromList(this, tr("Import from Web Page"),
                                    tr("The page holds several lists of links. Import:"), entries);
        if (!answer)
            return;
        pick = static_cast<std::size_t>(*answer);
    }
    ImportIntoDesign(std::move(lists.at(pick).design), tr("Import from Web Page"));
}

void TMainForm::ImportFromSitemap1Click() {
    const auto chosen = dialogs_.GetOpenFileName(this, QString::fromLatin1(kSitemapFilter));
    if (!chosen)
        return;
    ImportIntoDesign(exchange::ImportSitemapFile(ToCorePath(*chosen)), tr("Import from Sitemap"));
}

void TMainForm::ImportFromJson1Click() {
    const auto chosen = dialogs_.GetOpenFileName(this, QString::fromLatin1(kJsonFilter));
    if (!chosen)
        return;
    ImportIntoDesign(exchange::ImportJsonFile(ToCorePath(*chosen)), tr("Import from JSON"));
}

void TMainForm::ExportJson1Click() {
    const auto chosen = dialogs_.GetSaveFileName(this, QString::fromLatin1(kJsonFilter));
    if (!chosen)
        return;
    QString path = *chosen;
    if (!path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
        path += QLatin1String(".json");
    CommitPages();
    exchange::WriteExportFile(ToCorePath(path),
                              exchange::ExportText(agent_, exchange::ExportFormat::Json),
                              agent_.Faults());
}

void TMainForm::ImportIntoDesign(exchange::ImportedDesign design, const QString& what) {
    if (design.items.empty())
        return;
    CommitPages();
    const int selected = SelectedNodeIndex();
    history_->push(new ImportBlocksCommand(*this, what, model_->IdAt(selected >= 0 ? selected : 0),
                                           design.items, design.treeLevels));
    if (!design.warnings.empty()) {
        QStringList lines;
        for (const std::string& w : design.warnings)
            lines << FromUtf8(w);
        dialogs_.ShowMessage(this, MessageKind::Warning,
                             tr("The import cleaned some texts:") + '\n' + lines.join('\n'),
                             DialogButton::Ok);
    }
}

}  // namespace zarvex::ui
