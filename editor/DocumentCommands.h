// The commands a document window runs on its document beyond editing cells
// and rows: import and export of channel lists, printing, the transfers to
// and from the radio, the settings window, the column options and comparing
// with another file. The view shows the tables; these commands ask their
// questions, run the work on the document and have the view show the result.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <utility>

namespace document {
class RadioDocument;
}
namespace editor {
class MainView;
}
class QWidget;

namespace editor {

class DocumentCommands : public QObject {
    Q_OBJECT

public:
    // The commands of the document window whose view is view; the view is
    // their parent and what they tell goes to its statusMessage.
    explicit DocumentCommands(MainView& view);

    // File Import and Export: ask for a file, then ImportFrom or ExportTo.
    void Import();
    void Export();
    // Import and Export with a given file. The import's summary goes to the
    // status bar; Export writes a CHIRP channel list when asked to.
    bool ImportFrom(const QString& path);
    bool ExportTo(const QString& path, bool chirpList = false);
    // The text of the last import's summary.
    QString LastImportSummary() const { return m_importSummary; }

    // File Print and Print Preview of the current tab.
    void Print();
    void PrintPreview();
    // Radio Get data from... and Send data to...
    void GetData();
    void SendData();
    // View Settings... and Options.
    void Settings();
    void Options();
    // File Compare With...: a window listing what differs from the document
    // to the file at path (asked for when empty).
    void CompareWith(QString path = QString());

    // The save question for unsaved changes, asked before a download replaces
    // the document; it returns false when the user cancels (or saving
    // failed). The main window sets it; without one nothing is asked.
    void SetSaveModifiedHandler(std::function<bool()> handler) {
        m_saveModified = std::move(handler);
    }
    // The title a document gets when a download makes it a new one; without
    // a handler it is "Untitled".
    void SetUntitledTitleHandler(std::function<QString()> handler) {
        m_untitledTitle = std::move(handler);
    }

private:
    QWidget* Parent() const;
    void ResetToNewDocument();
    // The settings step of an upload; from receives where they came from.
    bool WriteSettingsForUpload(QString* from);

    MainView& m_view;
    document::RadioDocument* m_doc;
    std::function<bool()> m_saveModified;
    std::function<QString()> m_untitledTitle;
    QString m_importSummary;
};

} // namespace editor
