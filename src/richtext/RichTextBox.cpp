#include "richtext/RichTextBox.h"

#include <QSaveFile>
#include <QStringDecoder>
#include <QTextDocument>
#include <cerrno>
#include <unistd.h>

#include "platform/LocalFile.h"
#include "product/Product.h"
#include "richtext/Rtf.h"

namespace {

// Text that is not valid UTF-8 is taken as Windows' Western code page, the usual alternative.
QString decodeText(const QByteArray& data)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(data);
    if (!utf8.hasError()) return text;
    QStringDecoder western("windows-1252", QStringConverter::Flag::Stateless);
    return western.isValid() ? QString(western.decode(data)) : QString::fromLatin1(data);
}

}  // namespace

QString cannotOpenFile(const QString& path, const QString& reason)
{
    return RichTextBox::tr("%1 cannot open \"%2\". %3").arg(product::kTitle, path, reason);
}

QString cannotSaveFile(const QString& path, const QString& reason)
{
    return RichTextBox::tr("%1 cannot save \"%2\". %3").arg(product::kTitle, path, reason);
}

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(false);  // pasted text comes in plain, as it would be saved
}

QString RichTextBox::LoadFile(const QString& path, FileKind kind)
{
    const platform::LocalFile file = platform::readLocalFile(path, kRichTextMaxBytes);
    if (!file.problem.isEmpty()) return file.problem;
    if (!file.complete) return tr("It is larger than %1 MB.").arg(kRichTextMaxBytes / (1024 * 1024));
    if (rtf::looksLikeRtf(file.data)) {
        // Filled while no view is attached, which would otherwise follow every change.
        auto* fresh = new QTextDocument(this);
        fresh->setDefaultFont(font());
        rtf::fill(*fresh, rtf::read(file.data));
        // The box's first document belongs to Qt, which deletes it when it is replaced; the
        // ones loaded here belong to the box.
        QTextDocument* old = document();
        const bool loadedBefore = old->parent() == this;
        setDocument(fresh);
        if (loadedBefore) delete old;
    } else {
        if (kind == FileKind::Rtf) return tr("It is not a Rich Text Format document.");
        setPlainText(decodeText(file.data));
    }
    moveCursor(QTextCursor::Start);
    return {};
}

QString RichTextBox::SaveFile(const QString& path) const
{
    // Written beside the target under another name, then renamed over it.
    QSaveFile file(path);
    const auto failure = [&file] {
        if (file.error() == QFileDevice::PermissionsError) return tr("The player is not allowed to write there.");
        return tr("It could not be written (%1).").arg(file.errorString());
    };
    if (!file.open(QIODevice::WriteOnly)) return failure();
    const QByteArray document = rtf::write(text());
    QString problem;
    if (file.write(document) != document.size() || !file.flush()) problem = failure();
    else if (::fsync(file.handle()) != 0) problem = tr("It could not be written (%1).").arg(qt_error_string(errno));
    if (!problem.isEmpty()) {
        file.cancelWriting();
        return problem;
    }
    if (!file.commit()) return failure();
    return {};
}
