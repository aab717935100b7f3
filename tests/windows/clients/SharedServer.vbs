' The second client of one server: the test program beside it set the shared
' SampleFrequency to 77 and reads back what this script sets.
Option Explicit
Dim data
Set data = CreateObject("CorvaneSim.Data")
If data.SampleFrequency = 77 Then
    data.SampleFrequency = 88
    WScript.Echo "CLIENT PASSED"
Else
    WScript.Echo "FAIL: the other client's setting is not seen: " & data.SampleFrequency
End If
