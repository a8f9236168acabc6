Attribute VB_Name = "Orders"
Option Explicit

' Order totals, discounts and the text of the invoice lines.

Public Enum DiscountKind
    dkNone = 0
    dkVolume = 1
    dkLoyalty = 2
End Enum

Public Type OrderLine
    ItemCode As String
    Quantity As Long
    UnitPrice As Currency
End Type

Private Const TAX_RATE As Double = 0.19

Public Function OrderTotal(Lines() As OrderLine, ByVal Kind As DiscountKind) As Currency
    Dim i As Long
    Dim total As Currency

    For i = LBound(Lines) To UBound(Lines)
        If Lines(i).Quantity <= 0 Then GoTo NextLine
        total = total + Lines(i).Quantity * Lines(i).UnitPrice
NextLine:
    Next i

    Select Case Kind
        Case dkVolume
            If total > 1000 Then
                total = total * 0.95
            ElseIf total > 500 Then
                total = total * 0.98
            End If
        Case dkLoyalty
            total = total - (total * 0.03) ' three percent, whatever the size
        Case Else
            ' no discount
    End Select

    OrderTotal = Round(total * (1 + TAX_RATE), 2)
End Function

Public Function InvoiceLine(Entry As OrderLine) As String
    Dim text As String

    If Len(Entry.ItemCode) = 0 Then Exit Function
    text = "Item """ & Entry.ItemCode & """: " & CStr(Entry.Quantity) & " x "
    text = text & Format$(Entry.UnitPrice, "0.00")
    InvoiceLine = text
End Function

Public Sub PrintInvoice(Lines() As OrderLine)
    Dim i As Long
    Dim printed As Long

    On Error GoTo Failed
    i = LBound(Lines)
    Do While i <= UBound(Lines)
        With Lines(i)
            If .Quantity > 0 Then
                Debug.Print InvoiceLine(Lines(i))
                printed = printed + 1
            End If
        End With
        i = i + 1
    Loop

    While printed > 0 And printed Mod 10 <> 0
        Debug.Print ""   ' pad the page
        printed = printed + 1
    Wend
    Exit Sub

Failed:
    MsgBox "Printing failed: " & Err.Description, vbExclamation, "Orders"
End Sub
