// An independent reader for the round-trip tests: prints what the npm
// package mdb-reader finds in a Jet file.
//   node read-mdb.mjs FILE list          the user tables, one a line
//   node read-mdb.mjs FILE dump TABLE    the table as CSV: text quoted, numbers
//                                        with 17 significant digits (exact),
//                                        Null as an empty field
import { readFileSync } from "node:fs";
import MDBReader from "mdb-reader";

const [file, command, tableName] = process.argv.slice(2);
const reader = new MDBReader(readFileSync(file));

const quote = (text) => `"${text.replaceAll('"', '""')}"`;
const field = (value) => {
  if (value === null || value === undefined) return "";
  if (typeof value === "number") return value.toPrecision(17);
  if (typeof value === "boolean") return value ? "1" : "0";
  if (value instanceof Date) return quote(value.toISOString());
  return quote(String(value));
};

if (command === "list") {
  for (const name of reader.getTableNames()) console.log(name);
} else if (command === "dump") {
  const table = reader.getTable(tableName);
  const columns = table.getColumnNames();
  const lines = [columns.map(quote).join(",")];
  for (const row of table.getData()) lines.push(columns.map((c) => field(row[c])).join(","));
  process.stdout.write(lines.join("\n") + "\n");
} else {
  console.error("usage: node read-mdb.mjs FILE list | dump TABLE");
  process.exit(2);
}
