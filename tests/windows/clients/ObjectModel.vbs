' A scripting client of the object model: creation, Tags, Tag, the
' definitions and the time window, called through IDispatch as cscript does.
Option Explicit

Dim failures
failures = 0

Sub Check(condition, what)
    If Not condition Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub


' Creation by ProgID, in any letter case.
Dim data, other
Set data = CreateObject("CorvaneSim.Data")
Set other = CreateObject("corvanesim.DATA")
Check IsObject(data) And IsObject(other), "Data created by ProgID in any case"

' Session settings are shared, the host name is not.
data.SampleFrequency = 60
Check other.SampleFrequency = 60, "SampleFrequency shared between sessions"
data.SampleFrequency = 0
Check data.SampleFrequency = 60, "SampleFrequency 0 ignored"
data.HostName = "historian"
Check other.HostName = "", "HostName kept per session"
Check data.hostname = "historian" And data.HOSTNAME = "historian", "member names in any case"

' Tags: Add, Item, the default member, Count.
Dim tags, tag, first
Set tags = data.Tags
Check tags.Count = 0, "a new session's Tags is empty"
Set first = tags.Add("TIC101.PV")
tags.Add "FIC202.PV"
tags.Add "TIC101.PV", "second"
Check tags.Count = 3, "Count after three additions"
Check tags.Item(1).TagName = "TIC101.PV", "Item by position"
Check tags("fic202.pv").TagName = "FIC202.PV", "the default member by key, case ignored"
Check tags(3).TagName = "TIC101.PV", "the default member by position"
Check tags.Item(1) Is first, "the same Tag comes back as the same object"

' For Each visits the tags in the order of addition.
Dim names
names = ""
For Each tag In tags
    names = names & tag.TagName & ";"
Next
Check names = "TIC101.PV;FIC202.PV;TIC101.PV;", "For Each in order of addition: " & names

' Errors come back with number, description and source.
On Error Resume Next
tags.Add "tic101.pv"
Check Err.Number = 457, "Add of a present key raises 457, got " & Err.Number
Check Err.Source = "CorvaneSim", "error source, got " & Err.Source
Check Len(Err.Description) > 0, "error description present"
Err.Clear
tags.Item 99
Check Err.Number = 9, "Item beyond Count raises 9, got " & Err.Number
Err.Clear
tags.Item "nosuchkey"
Check Err.Number = 5, "Item of an absent key raises 5, got " & Err.Number
Err.Clear
tags.Add "A", "B", "C"
Check Err.Number = 450, "three arguments to Add refused as a bad parameter count, got " & Err.Number
Err.Clear
Dim nameVariable
nameVariable = "BYREF.PV"
tags.Add nameVariable
Check Err.Number = 13, "a variable passed by reference to a String parameter is a type mismatch, got " & Err.Number
Err.Clear
tags.Add (nameVariable)
Check Err.Number = 0, "the same text passed by value works, got " & Err.Number
Err.Clear
tags.Count = 5
Check Err.Number <> 0, "a put of the read-only Count is refused"
Err.Clear
On Error GoTo 0

' Delete by position, Remove by key, RemoveAll.
Check tags.Count = 4, "Count before removals"
tags.Delete 1
Check tags(1).TagName = "FIC202.PV", "Delete 1 removes the first item"
tags.Remove "SECOND"
Check tags.Count = 2, "Remove by key, case ignored"
tags.RemoveAll
Check tags.Count = 0, "RemoveAll empties"
names = ""
For Each tag In tags
    names = names & tag.TagName
Next
Check names = "", "enumeration after RemoveAll yields nothing"
Check first.TagName = "TIC101.PV", "a removed Tag stays usable while held"

' Tag properties and Put0 with one to three arguments.
Set tag = tags.Add("TIC101.PV")
tag.Confidence = 150
Check tag.Confidence = 100, "Confidence clamped to 100"
tag.Confidence = -5
Check tag.Confidence = 0, "Confidence clamped to 0"
tag.Units = "kPa"
Check tag.TagDefinition.Units = "kPa", "Tag Units is its definition's Units"
tag.Offset = "3"
Check tag.Offset = "3", "Offset reads back"
tag.Put0 42.5
Check tag.PV = 42.5 And tag.Confidence = 100, "Put0 with one argument"
tag.Put0 12, Now
Check tag.PV = 12, "Put0 with two arguments"
tag.Put0 "7.5", "no date at all", 80
Check tag.PV = 7.5 And tag.Confidence = 80, "Put0 with three arguments, text value"
On Error Resume Next
tag.Put0 "abc", Now, 50
Check Err.Number = 13, "Put0 of text that is no number raises 13, got " & Err.Number
Check tag.Confidence = 50 And tag.PV = 7.5, "the steps before the failure stay done"
Err.Clear
tag.Put0
Check Err.Number = 450, "Put0 without arguments refused, got " & Err.Number
Err.Clear
On Error GoTo 0

' Define and the made-up definitions.
tag.Define "10PT101"
Check tag.TagName = "10PT101", "Define renames"
Dim definition
Set definition = tag.TagDefinition
Check definition.Units = "Bar", "units made up from the name"
Check definition.HighExtreme = 100 And definition.LowExtreme = 0, "extremes"
Check definition.Description = "Description for 10PT101", "description"
Check IsEmpty(definition.GetTagDefinition("01TI200")), "GetTagDefinition returns Empty"
Check definition.Units = "deg C", "GetTagDefinition redefines"
Check tag.TagDefinition Is definition, "TagDefinition is the same object every time"

' The time window texts.
data.StartTime = "NOW-60M"
data.EndTime = "NOW"
Check VarType(data.StartTime) = vbDate, "StartTime reads back a date"
Dim minutes
minutes = Round((data.EndTime - data.StartTime) * 1440)
Check minutes = 60, "NOW-60M is an hour before NOW, got " & minutes
On Error Resume Next
data.StartTime = "now-60m"
Check Err.Number = 13, "lower-case now is no number: 13, got " & Err.Number
Err.Clear
data.StartTime = "NOW-99999999999M"
Check Err.Number = 6, "an offset beyond a Long overflows: 6, got " & Err.Number
Err.Clear
On Error GoTo 0
Dim fixedStart
fixedStart = data.EndTime - 1 / 24
data.StartTime = fixedStart
Check data.StartTime = fixedStart, "a date stored unchanged"

' UnpackResults fills three arrays passed by reference. This script host
' reads no bounds or elements of arrays other than arrays of Variants, so the
' bounds and elements are the C++ client's to check; here, that they arrive.
data.SampleFrequency = 60
Dim values, stamps, confidences
values = "before"
tag.UnpackResults values, stamps, confidences
Check VarType(values) = vbArray + vbSingle, "values come back as an array of singles, got " & VarType(values)
Check VarType(stamps) = vbArray + vbDate, "timestamps come back as an array of dates, got " & VarType(stamps)
Check VarType(confidences) = vbArray + vbInteger, "confidences come back as an array of integers, got " & VarType(confidences)

' A Tags object cannot be created by clients.
On Error Resume Next
Dim refused
Set refused = CreateObject("CorvaneSim.Tags")
Check Err.Number <> 0, "creation of Tags refused"
Err.Clear
On Error GoTo 0

If failures = 0 Then
    WScript.Echo "CLIENT PASSED"
Else
    WScript.Echo "CLIENT FAILED: " & failures
End If
