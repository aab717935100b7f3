// A JScript client: its own way of calling (values only, never references),
// its Enumerator over IEnumVARIANT and its exceptions.
var failures = 0;
function check(condition, what) {
    if (!condition) {
        WScript.Echo("FAIL: " + what);
        failures++;
    }
}
// The error a call raises, as JScript reports it (0 when none).
function errorOf(call) {
    try {
        call();
    } catch (e) {
        return { number: e.number, description: e.description };
    }
    return { number: 0, description: "" };
}

var data = new ActiveXObject("CORVANESIM.data");
var tags = data.Tags;
tags.Add("C");
tags.Add("A");
tags.Add("B", "keyB");
check(tags.Count == 3, "Count after three additions");

var names = [];
for (var walk = new Enumerator(tags); !walk.atEnd(); walk.moveNext()) names.push(walk.item().TagName);
check(names.join(",") == "C,A,B", "Enumerator in order of addition: " + names.join(","));
check(tags.Item("keyb").TagName == "B", "Item by key, case ignored");
check(tags.Item(2).TagName == "A", "Item by position");

var failed = errorOf(function () { tags.Add("c"); });
check((failed.number & 0xFFFF) == 457 && (failed.number >>> 16) == 0x800A, "Add of a present key: 0x800A01C9, got " + failed.number);
check(failed.description.length > 0, "the description comes along");
failed = errorOf(function () { tags.Item(0); });
check((failed.number & 0xFFFF) == 9, "Item 0 is out of range: got " + failed.number);

var tag = tags.Item(1);
tag.Put0(5);
check(tag.PV == 5 && tag.Confidence == 100, "Put0 with one argument");
tag.Put0(6, "whenever", 30);
check(tag.PV == 6 && tag.Confidence == 30, "Put0 with three arguments");
tag.Define("01ti200");
check(tag.TagDefinition.Units == "deg C", "Define makes up the units: " + tag.TagDefinition.Units);

// JScript passes values, so the results of UnpackResults stay with the server.
data.StartTime = "NOW-1M";
data.EndTime = "NOW";
data.SampleFrequency = 60;
var values = null;
tag.UnpackResults(values, null, null);
check(values === null, "arguments passed by value are not written back");

tags.Delete(1);
tags.Remove("keyB");
check(tags.Count == 1 && tags.Item(1).TagName == "A", "Delete and Remove");
tags.RemoveAll();
check(tags.Count == 0, "RemoveAll");

WScript.Echo(failures == 0 ? "CLIENT PASSED" : "CLIENT FAILED: " + failures);
