#include "richtext/Rtf.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <map>
#include <string_view>

namespace rtf {

namespace {

constexpr QChar kLineBreak(0x2028);
constexpr int kMaxDepth = 256;      // deeper groups share the deepest state kept
constexpr int kMaxWordLength = 32;  // longer control words are read to their end, then ignored
constexpr int kMaxDigits = 10;
constexpr int kMaxFallbackSkip = 16;

// What the text of a group is for.
enum class Destination {
    Text,       // shown
    Skip,       // not shown: tables, pictures, metadata, ignorable destinations
    FontTable,  // read for the fonts' character sets only
    UprAnsi,    // the ANSI half of \upr, whose Unicode half (\*\ud) is shown instead
};

struct GroupState {
    Format format;
    int fallbackChars = 1;  // \uc: characters standing in for each \u
    Destination destination = Destination::Text;
    int font = -1;
    bool starred = false;  // the group began with \*
};

// Windows code page of an RTF \fcharset; 0 when the document's own code page applies.
int codePageOfCharset(int charset)
{
    switch (charset) {
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return 0;
    }
}

QByteArray decoderName(int codePage)
{
    switch (codePage) {
    case 65001: return "UTF-8";
    case 10000: return "macintosh";
    case 932: return "Shift_JIS";
    case 936: return "GBK";
    case 949: return "EUC-KR";
    case 950: return "Big5";
    case 437: return "IBM437";
    case 850: return "IBM850";
    default: return "windows-" + QByteArray::number(codePage);
    }
}

bool isUnderlineWord(std::string_view w)
{
    static constexpr std::array<std::string_view, 17> kWords{
        "ul",       "uld",        "uldash",      "uldashd",    "uldashdd",  "uldb",  "ulhwave", "ulldash", "ulth",
        "ulthd",    "ulthdash",   "ulthdashd",   "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"};
    return std::find(kWords.begin(), kWords.end(), w) != kWords.end();
}

bool isSkippedDestination(std::string_view w)
{
    static constexpr std::array<std::string_view, 34> kWords{
        "colortbl", "stylesheet", "info",      "pict",       "object",     "objdata",  "header",   "headerl",
        "headerr",  "headerf",    "footer",    "footerl",    "footerr",    "footerf",  "footnote", "fldinst",
        "xe",       "tc",         "txe",       "rxe",        "listtable",  "listoverridetable", "revtbl",
        "rsidtbl",  "xmlnstbl",   "themedata", "colorschememapping", "datastore", "latentstyles", "generator",
        "filetbl",  "annotation", "atnauthor", "comment"};
    return std::find(kWords.begin(), kWords.end(), w) != kWords.end();
}

// Characters that control words stand for.
QChar symbolOf(std::string_view w)
{
    struct Symbol {
        std::string_view word;
        char16_t ch;
    };
    static constexpr std::array<Symbol, 11> kSymbols{{{"emdash", u'\u2014'},
                                                      {"endash", u'\u2013'},
                                                      {"bullet", u'\u2022'},
                                                      {"lquote", u'\u2018'},
                                                      {"rquote", u'\u2019'},
                                                      {"ldblquote", u'\u201C'},
                                                      {"rdblquote", u'\u201D'},
                                                      {"emspace", u'\u2003'},
                                                      {"enspace", u'\u2002'},
                                                      {"qmspace", u'\u2005'},
                                                      {"zwnbo", u'\uFEFF'}}};
    for (const Symbol& s : kSymbols)
        if (s.word == w) return QChar(s.ch);
    return QChar();
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Bytes that are text as they stand: printable ASCII other than the three RTF specials.
bool isPlainTextByte(char c) { return c >= 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}'; }

class Reader {
public:
    Reader(QByteArrayView data, Limits limits) : data_(data), limits_(limits) { doc_.paragraphs.emplace_back(); }

    Document run()
    {
        while (pos_ < data_.size() && !finished_ && doc_.cut == Document::Cut::No) step();
        flushBytes();
        // A closing paragraph mark ends the last paragraph; it does not open an empty one.
        if (!doc_.paragraphs.empty() && doc_.paragraphs.back().runs.empty()) doc_.paragraphs.pop_back();
        return std::move(doc_);
    }

private:
    GroupState& state() { return stack_.back(); }

    void step()
    {
        const char c = data_[pos_];
        if (c == '{') {
            ++pos_;
            openGroup();
        } else if (c == '}') {
            ++pos_;
            closeGroup();
        } else if (c == '\\') {
            ++pos_;
            control();
        } else if (c == '\r' || c == '\n') {
            ++pos_;
        } else {
            literal();
        }
    }

    void openGroup()
    {
        flushBytes();
        pendingSkip_ = 0;
        if (static_cast<int>(stack_.size()) < kMaxDepth) {
            GroupState inner = state();
            inner.starred = false;
            stack_.push_back(inner);
        } else {
            ++extraDepth_;
        }
    }

    void closeGroup()
    {
        flushBytes();
        pendingSkip_ = 0;
        if (extraDepth_ > 0) {
            --extraDepth_;
        } else if (stack_.size() > 1) {
            stack_.pop_back();
            // The document's own group has closed: what follows is not part of it.
            if (stack_.size() == 1) finished_ = true;
        }
    }

    void literal()
    {
        const char c = data_[pos_];
        if (isPlainTextByte(c)) {
            flushBytes();
            if (pendingSkip_ > 0) {
                --pendingSkip_;
                ++pos_;
                return;
            }
            qsizetype end = pos_ + 1;
            while (end < data_.size() && isPlainTextByte(data_[end])) ++end;
            // Text of a destination not shown (a picture's hex data, say) is passed over unread.
            if (stack_.back().destination == Destination::Text)
                appendText(QString::fromLatin1(data_.data() + pos_, end - pos_));
            pos_ = end;
            return;
        }
        ++pos_;
        if (static_cast<unsigned char>(c) >= 0x80) {
            textByte(c);
        } else if (c == '\t') {
            flushBytes();
            if (!consumeSkip()) appendText(QStringLiteral("\t"));
        }
        // Other control characters (NUL among them) are not text.
    }

    void control()
    {
        if (pos_ >= data_.size()) return;
        const char c = data_[pos_];
        if (isLetter(c)) {
            controlWord();
            return;
        }
        ++pos_;
        if (c == '\'') {
            if (pos_ + 1 < data_.size()) {
                const int hi = hexValue(data_[pos_]), lo = hexValue(data_[pos_ + 1]);
                if (hi >= 0 && lo >= 0) {
                    pos_ += 2;
                    textByte(static_cast<char>(hi * 16 + lo));
                }
            }
            return;
        }
        flushBytes();
        if (consumeSkip()) return;
        switch (c) {
        case '\\':
        case '{':
        case '}': appendText(QString(QLatin1Char(c))); break;
        case '~': appendText(QString(QChar(0x00A0))); break;
        case '_': appendText(QString(QChar(0x2011))); break;
        case '\r':
        case '\n': newParagraph(); break;
        case '*':
            state().starred = true;
            state().destination = Destination::Skip;
            break;
        default: break;  // \- (optional hyphen), \| and \: show nothing
        }
    }

    void controlWord()
    {
        const qsizetype start = pos_;
        while (pos_ < data_.size() && isLetter(data_[pos_])) ++pos_;
        const std::string_view word(data_.data() + start, static_cast<size_t>(std::min<qsizetype>(pos_ - start, kMaxWordLength + 1)));
        bool negative = false;
        if (pos_ + 1 < data_.size() && data_[pos_] == '-' && isDigit(data_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        bool hasParam = false;
        long long value = 0;
        int digits = 0;
        while (pos_ < data_.size() && isDigit(data_[pos_])) {
            if (digits++ < kMaxDigits) value = value * 10 + (data_[pos_] - '0');
            hasParam = true;
            ++pos_;
        }
        if (pos_ < data_.size() && data_[pos_] == ' ') ++pos_;
        const long long clamped = std::clamp(negative ? -value : value, -2147483648LL, 2147483647LL);
        const int param = static_cast<int>(clamped);

        flushBytes();
        // Binary data is skipped in every destination: its bytes may look like anything.
        if (word == "bin") {
            if (hasParam && param > 0) pos_ += std::min<qsizetype>(param, data_.size() - pos_);
            return;
        }
        if (word.size() > static_cast<size_t>(kMaxWordLength)) return;

        GroupState& s = state();
        if (s.starred && word == "ud") {
            // The Unicode half of \upr: shown instead of the ANSI half.
            s.starred = false;
            s.destination = Destination::Text;
            return;
        }
        s.starred = false;
        if (s.destination == Destination::FontTable) {
            fontTableWord(word, hasParam, param);
            return;
        }
        if (s.destination != Destination::Text && s.destination != Destination::UprAnsi) return;
        if (word == "u") {
            if (!hasParam || consumeSkip()) return;
            appendText(QString(QChar(static_cast<char16_t>(param < 0 ? param + 65536 : param))));
            pendingSkip_ = s.fallbackChars;
            return;
        }
        if (consumeSkip()) return;
        textWord(s, word, hasParam, param);
    }

    void textWord(GroupState& s, std::string_view word, bool hasParam, int param)
    {
        const bool on = !hasParam || param != 0;
        if (word == "par" || word == "sect" || word == "page" || word == "row" || word == "nestrow") newParagraph();
        else if (word == "line") appendText(QString(kLineBreak));
        else if (word == "tab" || word == "cell" || word == "nestcell") appendText(QStringLiteral("\t"));
        else if (word == "b") s.format.bold = on;
        else if (word == "i") s.format.italic = on;
        else if (isUnderlineWord(word)) s.format.underline = on;
        else if (word == "ulnone") s.format.underline = false;
        else if (word == "plain") s.format = Format{};
        else if (word == "uc") s.fallbackChars = std::clamp(param, 0, kMaxFallbackSkip);
        else if (word == "f") s.font = param;
        else if (word == "ansicpg") documentCodePage_ = param;
        else if (word == "ansi") documentCodePage_ = 1252;
        else if (word == "mac") documentCodePage_ = 10000;
        else if (word == "pc") documentCodePage_ = 437;
        else if (word == "pca") documentCodePage_ = 850;
        else if (word == "fonttbl") s.destination = Destination::FontTable;
        else if (word == "upr") s.destination = Destination::UprAnsi;
        else if (isSkippedDestination(word)) s.destination = Destination::Skip;
        else if (QChar symbol = symbolOf(word); !symbol.isNull()) appendText(QString(symbol));
    }

    // In the font table: "\fN ... \fcharsetM" gives font N the character set M.
    void fontTableWord(std::string_view word, bool hasParam, int param)
    {
        if (!hasParam) return;
        if (word == "f") tableFont_ = param;
        else if (word == "fcharset") fontCodePages_[tableFont_] = codePageOfCharset(param);
    }

    // One byte of text in the code page of the current font: kept until the bytes of a
    // character are all there, since some code pages use two bytes a character.
    void textByte(char byte)
    {
        if (consumeSkip() || stack_.back().destination != Destination::Text) return;
        if (pendingBytes_.isEmpty()) pendingCodePage_ = currentCodePage();
        else if (pendingCodePage_ != currentCodePage()) flushBytes();
        pendingBytes_.append(byte);
    }

    int currentCodePage() const
    {
        const GroupState& s = stack_.back();
        if (auto it = fontCodePages_.find(s.font); it != fontCodePages_.end() && it->second != 0) return it->second;
        return documentCodePage_;
    }

    void flushBytes()
    {
        if (pendingBytes_.isEmpty()) return;
        QStringDecoder& decoder = decoderFor(pendingCodePage_);
        // A code page this system cannot decode is read as Latin-1, which keeps every byte.
        const QString text = decoder.isValid() ? QString(decoder.decode(pendingBytes_)) : QString::fromLatin1(pendingBytes_);
        pendingBytes_.clear();
        appendText(text);
    }

    QStringDecoder& decoderFor(int codePage)
    {
        auto it = decoders_.find(codePage);
        if (it == decoders_.end())
            it = decoders_.try_emplace(codePage, decoderName(codePage).constData(), QStringConverter::Flag::Stateless).first;
        return it->second;
    }

    // True when the character just read stands in for the \u before it.
    bool consumeSkip()
    {
        if (pendingSkip_ == 0) return false;
        --pendingSkip_;
        return true;
    }

    void appendText(const QString& text)
    {
        const GroupState& s = stack_.back();
        if (s.destination != Destination::Text || text.isEmpty()) return;
        std::vector<Run>& runs = doc_.paragraphs.back().runs;
        if (runs.empty() || !(runs.back().format == s.format)) runs.push_back(Run{{}, s.format});
        runs.back().text += text;
        paragraphChars_ += text.size();
        if (text.contains(kLineBreak)) countParagraph();
        if (limits_.paragraphChars > 0 && paragraphChars_ > limits_.paragraphChars) doc_.cut = Document::Cut::ParagraphChars;
    }

    void newParagraph()
    {
        if (stack_.back().destination != Destination::Text) return;
        doc_.paragraphs.emplace_back();
        countParagraph();
    }

    void countParagraph()
    {
        paragraphChars_ = 0;
        if (limits_.paragraphs > 0 && ++paragraphs_ > limits_.paragraphs) doc_.cut = Document::Cut::Paragraphs;
    }

    QByteArrayView data_;
    Limits limits_;
    qsizetype paragraphs_ = 0, paragraphChars_ = 0;
    qsizetype pos_ = 0;
    bool finished_ = false;
    Document doc_;
    std::vector<GroupState> stack_{GroupState{}};
    int extraDepth_ = 0;
    int pendingSkip_ = 0;
    int documentCodePage_ = 1252;
    int tableFont_ = -1;
    std::map<int, int> fontCodePages_;
    std::map<int, QStringDecoder> decoders_;
    QByteArray pendingBytes_;
    int pendingCodePage_ = 1252;
};

}  // namespace

QString Document::plainText() const
{
    QString text;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) text += QLatin1Char('\n');
        for (const Run& run : paragraphs[i].runs) text += run.text;
    }
    text.replace(kLineBreak, QLatin1Char('\n'));
    return text;
}

bool looksLikeRtf(QByteArrayView data)
{
    qsizetype i = 0;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n')) ++i;
    return data.sliced(i).startsWith("{\\rtf");
}

Document read(QByteArrayView data, Limits limits) { return Reader(data, limits).run(); }

QByteArray write(const QString& text)
{
    QByteArray out;
    out.reserve(text.size() + 160);
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\n"
           "\\pard\\plain\\f0\\fs20 ";
    if (!text.isEmpty()) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t u = text[i].unicode();
            if (u == u'\r' || u == u'\n') {
                if (u == u'\r' && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
                out += "\\par\n";
            } else if (u == u'\\' || u == u'{' || u == u'}') {
                out += '\\';
                out += static_cast<char>(u);
            } else if (u == u'\t') {
                out += "\\tab ";
            } else if (u >= 0x20 && u < 0x7F) {
                out += static_cast<char>(u);
            } else {
                // \u takes a signed 16-bit number; surrogate halves are written one by one. The
                // blank ends the number, as some readers need; the '?' is for readers without Unicode.
                out += "\\u" + QByteArray::number(static_cast<int16_t>(u)) + " ?";
            }
        }
        out += "\\par\n";
    }
    out += "}\n";
    return out;
}

}  // namespace rtf
