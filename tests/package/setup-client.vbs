' A client of the installed server: creates Data by its ProgID, which starts
' the server, and reads a tag's value. The last line tells the harness that
' the script ran to its end.
Set data = CreateObject("CorvaneSim.Data")
Set tag = data.Tags.Add("TIC101.PV")
WScript.Echo "client: TIC101.PV = " & tag.PV & ", confidence " & tag.Confidence
WScript.Echo "client: done"
