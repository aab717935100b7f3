' The operator answers the exit question Yes (the test hook does) when a
' client releases the SimServer it created: the process ends at once, and
' the next call of any client fails as disconnected.
Option Explicit
Dim failures
failures = 0
Sub Check(condition, what)
    If Not condition Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Dim data, server
Set data = CreateObject("CorvaneSim.Data")
Set server = CreateObject("CorvaneSim.SimServer")
Check server.Data Is Nothing, "a client-created SimServer starts without a session"
On Error Resume Next
Set server.Data = data
Check Err.Number = 438, "a put by reference of Data is refused as member not found (438), got " & Hex(Err.Number)
Err.Clear
On Error GoTo 0

Set server = Nothing
' Calls may still be served while the question is up; the end comes soon after.
Dim attempt, frequency
On Error Resume Next
For attempt = 1 To 100000
    frequency = data.SampleFrequency
    If Err.Number <> 0 Then Exit For
Next
' The call under way when the process ended may fail as a failed call; from
' then on the object is disconnected (0x80010108, which the script host
' reports as its error 462).
Check Err.Number <> 0, "calls fail once the process has ended"
Err.Clear
frequency = data.SampleFrequency
Check Err.Number = 462, "the next call fails as disconnected, got " & Hex(Err.Number)
On Error GoTo 0

If failures = 0 Then
    WScript.Echo "CLIENT PASSED"
Else
    WScript.Echo "CLIENT FAILED: " & failures
End If
