// clonara-cli history list|show|extract|delete: the images kept from every
// transfer, newest first.
#include "cli/Cli.h"
#include "document/RadioDocument.h"
#include "link/ImageHistory.h"

#include <QCommandLineParser>
#include <QDir>

namespace {

namespace history = radiolink::history;

constexpr const char* kUsage =
    "Usage: clonara-cli history list\n"
    "       clonara-cli history show ID\n"
    "       clonara-cli history extract ID OUT\n"
    "       clonara-cli history delete ID\n\n"
    "The radio history keeps every image read from or sent to the radio. ID is an entry's\n"
    "id as list prints it, or its beginning when only one entry has it. OUT ends in .rdf\n"
    "(a radio data file) or .img (the raw image).\n";

std::optional<history::Entry> Entry(const QString& id) {
    QString error;
    auto entry = history::Find(id, error);
    if (!entry)
        cli::Fail(error);
    return entry;
}

int List() {
    const std::vector<history::Entry> entries = history::List();
    if (entries.empty()) {
        cli::Err(QStringLiteral("The radio history is empty (%1).\n")
                     .arg(QDir::toNativeSeparators(history::Folder())));
        return 0;
    }
    QString text;
    for (const history::Entry& e : entries)
        text += history::Describe(e) + QLatin1Char('\n');
    cli::Out(text);
    return 0;
}

int Show(const history::Entry& e) {
    QString text;
    const auto line = [&text](const QString& label, const QString& value) {
        text += QStringLiteral("%1 %2\n").arg(label + QLatin1Char(':'), -28).arg(value);
    };
    line(QStringLiteral("Id"), e.id);
    line(QStringLiteral("Time"), e.time.toLocalTime().toString(Qt::ISODate));
    line(QStringLiteral("Direction"), history::DirectionText(e.direction));
    line(QStringLiteral("Port"), e.port);
    line(QStringLiteral("File"), e.fileName);
    line(QStringLiteral("Complete"), e.incomplete ? QStringLiteral("no") : QStringLiteral("yes"));
    line(QStringLiteral("First from this radio"),
         e.first ? QStringLiteral("yes") : QStringLiteral("no"));
    line(QStringLiteral("Variant flag"), QString::number(e.variant));
    line(QStringLiteral("Memories in use"), QString::number(e.channels));
    line(QStringLiteral("SHA-256"), e.digest);
    line(QStringLiteral("Image file"), QDir::toNativeSeparators(history::ImagePath(e)));
    cli::Out(text);
    return 0;
}

int Extract(const history::Entry& e, const QString& out) {
    document::RadioDocument doc;
    if (!cli::OpenDocument(doc, history::ImagePath(e)) || !cli::SaveDocument(doc, out))
        return 1;
    cli::Out(QStringLiteral("Wrote history entry %1 to %2.\n").arg(e.id, out));
    return 0;
}

int Run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("SUBCOMMAND"),
                                 QStringLiteral("list, show, extract or delete."));
    parser.addPositionalArgument(QStringLiteral("ID"), QStringLiteral("The entry."), "[ID]");
    parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("File to write (extract)."),
                                 "[OUT]");
    if (!cli::Parse(parser, arguments, QStringLiteral("history"),
                    QString::fromLatin1(kUsage).section(QLatin1Char('\n'), 5)))
        return cli::kExitUsage;
    const QStringList args = parser.positionalArguments();
    const QString sub = args.value(0);
    const int wanted = sub == QLatin1String("list")                                     ? 1
                       : sub == QLatin1String("extract")                                ? 3
                       : sub == QLatin1String("show") || sub == QLatin1String("delete") ? 2
                                                                                        : 0;
    if (wanted == 0 || args.size() != wanted) {
        cli::Err(QString::fromLatin1(kUsage));
        return cli::kExitUsage;
    }
    if (sub == QLatin1String("list"))
        return List();
    const std::optional<history::Entry> entry = Entry(args.at(1));
    if (!entry)
        return 1;
    if (sub == QLatin1String("show"))
        return Show(*entry);
    if (sub == QLatin1String("extract"))
        return Extract(*entry, args.at(2));
    if (const auto error = history::Remove(*entry))
        return cli::Fail(*error);
    cli::Out(QStringLiteral("Deleted history entry %1.\n").arg(entry->id));
    return 0;
}

const cli::Registrar registrar("history", "List, show, extract or delete kept radio images", &Run);

} // namespace
