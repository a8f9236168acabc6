VERSION 5.00
Object = "{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0"; "MSCOMCTL.OCX"
Begin VB.Form frmOrder 
   BorderStyle     =   3  'Fixed Dialog
   Caption         =   "New order"
   ClientHeight    =   3195
   ClientLeft      =   45
   ClientTop       =   330
   ClientWidth     =   4680
   LinkTopic       =   "Form1"
   MaxButton       =   0   'False
   MinButton       =   0   'False
   ScaleHeight     =   3195
   ScaleWidth      =   4680
   StartUpPosition =   1  'CenterOwner
   Begin VB.CommandButton cmdOK 
      Caption         =   "OK"
      Default         =   -1  'True
      Height          =   375
      Left            =   3360
      TabIndex        =   2
      Top             =   2640
      Width           =   1095
   End
   Begin VB.TextBox txtQuantity 
      Height          =   285
      Left            =   1560
      TabIndex        =   1
      Text            =   "1"
      Top             =   600
      Width           =   855
   End
   Begin VB.Frame fraItem 
      Caption         =   "Item"
      Height          =   975
      Left            =   120
      TabIndex        =   3
      Top             =   1200
      Width           =   4335
      Begin VB.ComboBox cboItem 
         BeginProperty Font 
            Name            =   "MS Sans Serif"
            Size            =   8.25
            Charset         =   0
            Weight          =   400
            Underline       =   0   'False
            Italic          =   0   'False
            Strikethrough   =   0   'False
         EndProperty
         Height          =   315
         Left            =   120
         Style           =   2  'Dropdown List
         TabIndex        =   0
         Top             =   360
         Width           =   4095
      End
   End
   Begin MSComctlLib.StatusBar sbStatus 
      Align           =   2  'Align Bottom
      Height          =   255
      Left            =   0
      TabIndex        =   4
      Top             =   2940
      Width           =   4680
      _ExtentX        =   8255
      _ExtentY        =   450
      _Version        =   393216
      BeginProperty Panels {8E3867A5-8586-11D1-B16A-00C0F0283628} 
         NumPanels       =   1
         BeginProperty Panel1 {8E3867AB-8586-11D1-B16A-00C0F0283628} 
            AutoSize        =   1
            Object.Width           =   8202
         EndProperty
      EndProperty
   End
End
Attribute VB_Name = "frmOrder"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

' The dialog that takes one order line from the user.

Private mCancelled As Boolean

Private Sub Form_Load()
    Dim items As Variant
    Dim i As Integer

    items = Array("Paper ""A4""", "Toner", "Stapler")
    For i = 0 To UBound(items)
        cboItem.AddItem items(i)
    Next i
    If cboItem.ListCount > 0 Then cboItem.ListIndex = 0
    mCancelled = True
End Sub

Private Sub cmdOK_Click()
    Dim quantity As Long

    If Not IsNumeric(txtQuantity.Text) Then
        sbStatus.SimpleText = "The quantity must be a number."
        txtQuantity.SetFocus
        Exit Sub
    End If

    quantity = CLng(txtQuantity.Text)
    Select Case quantity
        Case Is < 1
            sbStatus.SimpleText = "Order at least one."
            Exit Sub
        Case Is > 999
            If MsgBox("Order " & quantity & " of """ & cboItem.Text & """?", _
                      vbQuestion Or vbYesNo, Caption) = vbNo Then Exit Sub
    End Select

    mCancelled = False
    Me.Hide
End Sub

Private Sub txtQuantity_KeyPress(KeyAscii As Integer)
    ' Digits and backspace only.
    If (KeyAscii < Asc("0") Or KeyAscii > Asc("9")) And KeyAscii <> vbKeyBack Then KeyAscii = 0
End Sub

Public Property Get Cancelled() As Boolean
    Cancelled = mCancelled
End Property
