// The radio data document: one clone image with its file header and the
// per-row comments, and at the same time the radio model for that image.
#pragma once

#include "document/CDocument.h"
#include "document/RadioDataFile.h"
#include "radio/CVX7Radio.h"

#include <QString>

#include <optional>

// Where a document's radio settings come from, besides a settings file name.
namespace settingssource {
constexpr const char* kNewFile = "NewFile";     // a new document
constexpr const char* kReadRadio = "ReadRadio"; // read from the radio
} // namespace settingssource

class CMainDoc : public CDocument, public vx7::CVX7Radio {
public:
    CMainDoc();

    // New document: block zeroed, header fields set, the built-in default
    // image copied in, settings source "NewFile". Not modified.
    bool OnNewDocument();

    // Loads a radio data file, or a raw clone image recognised by content.
    // On failure the block is unchanged and the error is returned (and kept
    // in LoadErrorMessage()).
    std::optional<FileError> OnOpenDocument(const QString& path);
    // Stores the block (or the raw image for a path ending in ".img")
    // atomically; clears the modified flag on success.
    std::optional<FileError> OnSaveDocument(const QString& path);

    const QString& LoadErrorMessage() const { return m_loadError; }

    // Header fields.
    int ChannelCount() const;
    QString SettingsSourceName() const;
    void SetSettingsSourceName(const QString& name);
    QString RadioName() const;

    // The comment slot of a row (0-based) of the current tab; nullptr on
    // Memory Groups.
    vx7::Byte* CommentSlotForRow(int row) { return CommentSlot(GetTab(), row); }
    void SetCommentForRow(int row, const QString& text) { SetComment(GetTab(), row, text); }

    QObject* ActiveView() override { return FirstView(); }

private:
    QString m_loadError;
};
