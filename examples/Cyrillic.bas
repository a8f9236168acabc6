Attribute VB_Name = "Stock"
Option Explicit

' Остатки товаров на складе: «сколько есть» и «сколько заказано».

Private Остаток(1 To 10) As Long

Public Function ПроверитьЗаказ(ByVal Номер As Long, ByVal Количество As Long) As String
Attribute ПроверитьЗаказ.VB_Description = "Проверяет, хватит ли товара на складе"
    Dim Ответ As String
    Dim Строка As String

    Строка = "Товар №" & Номер & ": "
    If Номер < 1 Or Номер > 10 Then
        Ответ = Строка & "нет такого товара"
    ElseIf Остаток(Номер) < Количество Then
        Ответ = Строка & "осталось только " & Остаток(Номер) & " шт."
    Else
        Ответ = Строка & "в наличии"
    End If
    ПроверитьЗаказ = Ответ
End Function
