#pragma once

#include <QTextEdit>

// Rich-text box: text with paragraphs, bold, italic and underline, loaded from and saved to
// Rich Text Format files.
class RichTextBox : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget* parent = nullptr);

    // The text without formatting, one line per paragraph.
    QString text() const { return toPlainText(); }
    void setText(const QString& text) { setPlainText(text); }

    enum class FileKind {
        Rtf,        // only an RTF document is taken
        RtfOrText,  // an RTF document is shown formatted, any other file as plain text
    };
    // Loads the file in place of what the box holds. Returns why it could not, leaving the box
    // as it was; empty when loaded.
    QString LoadFile(const QString& path, FileKind kind);
    // Writes the text as an RTF document. The file is replaced only once the whole document is
    // on disc, so a failed save leaves the old file as it was. Returns why it could not; empty
    // when saved.
    QString SaveFile(const QString& path) const;
};

// The largest file the box loads.
inline constexpr qint64 kRichTextMaxBytes = 64 * 1024 * 1024;

// The sentence shown when a file cannot be loaded or saved: the program, the name, the reason.
QString cannotOpenFile(const QString& path, const QString& reason);
QString cannotSaveFile(const QString& path, const QString& reason);
