// Brings the translation sources up to date with the program's texts: every text the desktop
// program shows gets a message in each translations/zelvane_<language>.ts, the translations
// already made are kept, a new text waits as unfinished, and a text the program no longer has
// goes. The Japanese file says each text as it is, the program's own words.
//
//     cmake --build build --target update_translations
#include "app/TranslatableTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QStringList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cstdio>

namespace {

using zelvane::TranslatableText;

struct Translation {
    QString text;
    bool finished = false;
};

QString Key(const QString& context, const QString& source)
{
    return context + QChar(0) + source;
}

// The translations of a .ts file by context and source; nothing for a file not there yet.
QHash<QString, Translation> ReadTranslations(const QString& path)
{
    QHash<QString, Translation> translations;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return translations;
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            Translation translation;
            translation.finished = type.isEmpty();
            translation.text = xml.readElementText();
            if (type != QLatin1String("vanished") && type != QLatin1String("obsolete"))
                translations.insert(Key(context, source), translation);
        }
    }
    if (xml.hasError())
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(xml.errorString()));
    return translations;
}

QString IdList(const QList<std::uint32_t>& ids)
{
    QStringList numbers;
    for (std::uint32_t id : ids)
        numbers.append(QString::number(id));
    return QStringLiteral("ID ") + numbers.join(QStringLiteral(", "));
}

bool WriteTranslations(const QString& path, const QString& language,
                       const QList<TranslatableText>& texts)
{
    const bool japanese = language.startsWith(QLatin1String("ja"));
    const QHash<QString, Translation> known = ReadTranslations(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE TS>"));
    xml.writeStartElement(QStringLiteral("TS"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.1"));
    xml.writeAttribute(QStringLiteral("language"), language);
    xml.writeAttribute(QStringLiteral("sourcelanguage"), QStringLiteral("ja_JP"));
    const char* openContext = nullptr;
    for (const TranslatableText& text : texts) {
        if (!openContext || qstrcmp(openContext, text.context) != 0) {
            if (openContext)
                xml.writeEndElement();
            xml.writeStartElement(QStringLiteral("context"));
            xml.writeTextElement(QStringLiteral("name"), QString::fromLatin1(text.context));
            openContext = text.context;
        }
        xml.writeStartElement(QStringLiteral("message"));
        xml.writeTextElement(QStringLiteral("source"), text.source);
        if (!text.ids.isEmpty())
            xml.writeTextElement(QStringLiteral("extracomment"), IdList(text.ids));
        const Translation translation = japanese
            ? Translation{text.source, true}
            : known.value(Key(QString::fromLatin1(text.context), text.source));
        xml.writeStartElement(QStringLiteral("translation"));
        if (!translation.finished || translation.text.isEmpty())
            xml.writeAttribute(QStringLiteral("type"), QStringLiteral("unfinished"));
        xml.writeCharacters(translation.text);
        xml.writeEndElement();
        xml.writeEndElement();
    }
    if (openContext)
        xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return file.commit();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s TRANSLATIONS_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QList<TranslatableText> texts = zelvane::TranslatableTexts();
    int unfinished = 0;
    for (const auto& [name, language] :
         {std::pair{"zelvane_ja.ts", "ja_JP"}, std::pair{"zelvane_en.ts", "en_US"}}) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        if (!WriteTranslations(path, QString::fromLatin1(language), texts)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        for (const Translation& translation : ReadTranslations(path))
            unfinished += translation.finished ? 0 : 1;
    }
    std::printf("%lld texts; %d left to translate\n", static_cast<long long>(texts.size()),
                unfinished);
    return 0;
}
