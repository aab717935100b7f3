#include "TagDbCommands.h"

#include "Csv.h"
#include "CsvTable.h"
#include "JetText.h"
#include "JetWriter.h"
#include "automation/AutomationError.h"

#include <filesystem>
#include <fstream>
#include <optional>

namespace corvane::tagdb {
namespace {

constexpr char kUsage[] =
    "usage: corvanesim-tagdb create OUT.mdb --from TAGS.csv [options]\n"
    "       corvanesim-tagdb dump IN.mdb [TABLE]\n"
    "       corvanesim-tagdb list IN.mdb\n"
    "create options:\n"
    "  --table NAME        the table's name (default Default)\n"
    "  --no-table          a database without any user table (no --from)\n"
    "  --index NAME        the index's name (default PrimaryKey)\n"
    "  --index-on COLUMN   the column it covers (default Tag)\n"
    "  --unique-index      a plain unique index instead of the primary key\n"
    "  --no-index          no index at all\n"
    "CSV header fields are Name or Name:type with type text, text(N), memo,\n"
    "byte, integer, long, single, double, currency or decimal(P,S); untyped\n"
    "columns are text, except Value (double) and Confidence (long). An unquoted\n"
    "empty field is Null. A character outside the Basic Multilingual Plane\n"
    "cannot be in an index key: its place in the index's sort order is unknown.\n"
    "dump shows dates as yyyy-mm-dd hh:mm:ss, binary and OLE values as\n"
    "(N bytes) and hexadecimal, memos whole, GUIDs in braces, decimals exactly.\n";

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CreateOptions {
    std::string output;
    std::optional<std::string> csv;
    std::u16string table = u"Default";
    bool noTable = false;
    std::optional<jet::IndexSpec> index = jet::IndexSpec{u"PrimaryKey", u"Tag", true};
};

CreateOptions parseCreate(const std::vector<std::string>& args)
{
    if (args.size() < 2) throw UsageError("create needs an output file");
    CreateOptions options;
    options.output = args[1];
    const auto value = [&](std::size_t& i) -> const std::string& {
        if (i + 1 >= args.size()) throw UsageError(args[i] + " needs a value");
        return args[++i];
    };
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--from") options.csv = value(i);
        else if (arg == "--table") options.table = jet::fromUtf8(value(i));
        else if (arg == "--no-table") options.noTable = true;
        else if (arg == "--no-index") options.index.reset();
        else if (!options.index && (arg == "--index" || arg == "--index-on" || arg == "--unique-index"))
            throw UsageError(arg + " and --no-index exclude each other");
        else if (arg == "--index") options.index->name = jet::fromUtf8(value(i));
        else if (arg == "--index-on") options.index->column = jet::fromUtf8(value(i));
        else if (arg == "--unique-index") options.index->primaryKey = false;
        else throw UsageError("unknown option " + arg);
    }
    if (options.noTable == options.csv.has_value()) throw UsageError("create needs either --from TAGS.csv or --no-table");
    return options;
}

int create(const std::vector<std::string>& args)
{
    const CreateOptions options = parseCreate(args);
    jet::DatabaseSpec database;
    if (options.csv) {
        // Paths arrive as UTF-8; through UTF-16 they reach any file on Windows too.
        std::ifstream in(std::filesystem::path(jet::fromUtf8(*options.csv)), std::ios::binary);
        if (!in) throw std::runtime_error("cannot read '" + *options.csv + "'");
        try {
            database.tables.push_back(tableFromCsv(options.table, readCsv(in)));
        } catch (const CsvError& error) {
            throw std::runtime_error(*options.csv + ": " + error.what());
        }
        database.tables.back().index = options.index;
    }
    jet::writeDatabaseFile(database, std::filesystem::path(jet::fromUtf8(options.output)));
    return 0;
}

int dump(const std::vector<std::string>& args, const jet::TagReader& reader, std::ostream& out)
{
    if (args.size() < 2 || args.size() > 3) throw UsageError("dump needs a database file and at most a table");
    out << reader.dump(jet::fromUtf8(args[1]), args.size() == 3 ? jet::fromUtf8(args[2]) : u"Default");
    return 0;
}

int list(const std::vector<std::string>& args, const jet::TagReader& reader, std::ostream& out)
{
    if (args.size() != 2) throw UsageError("list needs a database file");
    for (const std::u16string& name : reader.tableNames(jet::fromUtf8(args[1]))) out << jet::toUtf8(name) << '\n';
    return 0;
}

}  // namespace

int runTagDb(const std::vector<std::string>& args, const jet::TagReader& reader, std::ostream& out, std::ostream& err)
{
    try {
        if (args.empty()) throw UsageError("no command");
        if (args[0] == "create") return create(args);
        if (args[0] == "dump") return dump(args, reader, out);
        if (args[0] == "list") return list(args, reader, out);
        if (args[0] == "--help" || args[0] == "-h") {
            out << kUsage;
            return 0;
        }
        throw UsageError("unknown command " + args[0]);
    } catch (const UsageError& error) {
        err << "corvanesim-tagdb: " << error.what() << '\n' << kUsage;
        return 2;
    } catch (const automation::AutomationError& error) {
        err << "corvanesim-tagdb: " << error.what() << '\n';
        return 1;
    } catch (const std::exception& error) {
        err << "corvanesim-tagdb: " << error.what() << '\n';
        return 1;
    }
}

}  // namespace corvane::tagdb
