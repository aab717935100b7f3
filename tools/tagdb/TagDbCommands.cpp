#include "TagDbCommands.h"

#include "Csv.h"
#include "CsvTable.h"
#include "JetText.h"
#include "JetWriter.h"
#include "automation/AutomationError.h"
#include "automation/Variant.h"

#include <charconv>
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
    "CSV header fields are Name or Name:type with type text, text(N), byte,\n"
    "integer, long, single or double; untyped columns are text, except\n"
    "Value (double) and Confidence (long). An unquoted empty field is Null.\n";

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
        std::ifstream in(*options.csv, std::ios::binary);
        if (!in) throw std::runtime_error("cannot read '" + *options.csv + "'");
        try {
            database.tables.push_back(tableFromCsv(options.table, readCsv(in)));
        } catch (const CsvError& error) {
            throw std::runtime_error(*options.csv + ": " + error.what());
        }
        database.tables.back().index = options.index;
    }
    jet::writeDatabaseFile(database, options.output);
    return 0;
}

std::string shortest(double value)
{
    char buffer[64];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

std::string shortest(float value)
{
    char buffer[64];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// A value as dump prints it: text quoted, numbers in their shortest exact
// form with a decimal point, Null as an empty field.
void writeValue(std::ostream& out, const automation::Variant& value)
{
    using automation::VarType;
    switch (value.type()) {
    case VarType::Null:
    case VarType::Empty: break;
    case VarType::String: writeCsvField(out, jet::toUtf8(value.string()), true); break;
    case VarType::UI1: out << static_cast<int>(value.ui1()); break;
    case VarType::I2: out << value.i2(); break;
    case VarType::I4: out << value.i4(); break;
    case VarType::R4: out << shortest(value.r4()); break;
    case VarType::R8: out << shortest(value.r8()); break;
    case VarType::Date: out << shortest(value.date()); break;
    case VarType::Bool: out << (value.boolean() ? 1 : 0); break;
    case VarType::Currency: out << shortest(static_cast<double>(value.currency()) / 10000.0); break;
    default: out << '?'; break;
    }
}

int dump(const std::vector<std::string>& args, TagDataLayer& dataLayer, std::ostream& out)
{
    if (args.size() < 2 || args.size() > 3) throw UsageError("dump needs a database file and at most a table");
    auto connection = dataLayer.createConnection();
    connection->open(jet::fromUtf8(args[1]));
    auto recordset = connection->createRecordset();
    recordset->open(args.size() == 3 ? jet::fromUtf8(args[2]) : u"Default", u"");
    const std::vector<std::u16string> names = recordset->fieldNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) out << ',';
        writeCsvField(out, jet::toUtf8(names[i]), false);
    }
    out << '\n';
    for (; !recordset->eof(); recordset->moveNext()) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (i > 0) out << ',';
            writeValue(out, recordset->field(names[i]));
        }
        out << '\n';
    }
    recordset->close();
    connection->close();
    return 0;
}

int list(const std::vector<std::string>& args, TagDataLayer& dataLayer, std::ostream& out)
{
    if (args.size() != 2) throw UsageError("list needs a database file");
    auto connection = dataLayer.createConnection();
    connection->open(jet::fromUtf8(args[1]));
    for (const std::u16string& name : connection->tableNames()) out << jet::toUtf8(name) << '\n';
    connection->close();
    return 0;
}

}  // namespace

int runTagDb(const std::vector<std::string>& args, TagDataLayer& dataLayer, std::ostream& out, std::ostream& err)
{
    try {
        if (args.empty()) throw UsageError("no command");
        if (args[0] == "create") return create(args);
        if (args[0] == "dump") return dump(args, dataLayer, out);
        if (args[0] == "list") return list(args, dataLayer, out);
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
