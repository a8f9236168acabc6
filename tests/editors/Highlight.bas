Sub Main()
    If a Then
        x = 1
    End If
End Sub
