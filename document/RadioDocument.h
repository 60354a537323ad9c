// The radio data document: one clone image with its file header and the
// per-row comments, the radio model over it, and its undo history.
#pragma once

#include "document/DocumentBase.h"
#include "document/DocumentHistory.h"
#include "document/RadioDataFile.h"
#include "radio/RadioModel.h"

#include <QString>

#include <optional>

namespace document {

// Where a document's radio settings come from, besides a settings file name.
namespace settingssource {
constexpr const char* kNewFile = "NewFile";     // a new document
constexpr const char* kReadRadio = "ReadRadio"; // read from the radio
} // namespace settingssource

// A whole document as text, read and written by a layer above this one
// (settings/RadioText): a program installs it at start, and from then on
// every document reads and writes the paths it claims through it.
struct TextForm {
    bool (*claims)(const QString& path) = nullptr;
    // Reads text into a data block; the block is untouched on failure.
    std::optional<FileError> (*read)(const QByteArray& text, const QString& path,
                                     radio::Byte* block) = nullptr;
    QByteArray (*write)(const radio::Byte* block) = nullptr;
    qint64 maxSize = 0; // a longer file is refused unread
};

class RadioDocument : public DocumentBase {
    Q_OBJECT

public:
    // The text form every document uses from now on.
    static void InstallTextForm(const TextForm& form);

    RadioDocument();
    ~RadioDocument() override;

    // The radio model over the document's data block.
    radio::RadioModel& Radio() { return m_radio; }
    const radio::RadioModel& Radio() const { return m_radio; }
    // The data block (header, clone image, comment tables) and the clone
    // image inside it.
    radio::Byte* Block() { return m_radio.Block(); }
    const radio::Byte* Block() const { return m_radio.Block(); }
    radio::Byte* Image() { return m_radio.Image(); }
    const radio::Byte* Image() const { return m_radio.Image(); }

    DocumentHistory& History() { return m_history; }

    // New document: block zeroed, header fields set, the built-in default
    // image copied in, settings source "NewFile". Not modified.
    bool StartNew();

    // Loads a radio data file, or a raw clone image recognised by content,
    // or a text file whose path the installed text form claims.
    // On failure the block is unchanged and the error is returned (and kept
    // in LoadErrorMessage()).
    std::optional<FileError> Load(const QString& path);
    // Stores the block (or the raw image for a path ending in ".img", or the
    // block as text for a path the text form claims) atomically; clears the
    // modified flag on success, but for a raw image.
    std::optional<FileError> Save(const QString& path);

    const QString& LoadErrorMessage() const { return m_loadError; }

    // Header fields.
    int ChannelCount() const;
    QString SettingsSourceName() const;
    void SetSettingsSourceName(const QString& name);
    QString RadioName() const;

signals:
    // The block changed by a kept edit step, or was replaced (a download, a
    // new document): every window shows it again.
    void blockChanged();
    // Undo or redo put bytes of the block back.
    void blockRestored();

private:
    // The history's way into the document.
    class HistoryAccess : public HistoryTarget {
    public:
        explicit HistoryAccess(RadioDocument& doc) : m_doc(doc) {}
        std::uint8_t* Block() override { return m_doc.Block(); }
        bool IsModified() const override { return m_doc.IsModified(); }
        void SetModified(bool modified) override { m_doc.SetModified(modified); }
        void BlockChanged() override { emit m_doc.blockChanged(); }
        void BlockRestored() override { emit m_doc.blockRestored(); }

    private:
        RadioDocument& m_doc;
    };

    radio::RadioModel m_radio;
    HistoryAccess m_historyAccess{*this};
    DocumentHistory m_history{m_historyAccess};
    QString m_loadError;
};

} // namespace document
