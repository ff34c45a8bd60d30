<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>TForm1</name>
    <message>
        <source>Значение А</source>
        <translation>Value A</translation>
    </message>
    <message>
        <source>Значение В</source>
        <translation>Value B</translation>
    </message>
    <message>
        <source>Шум (x 0,1%)</source>
        <translation>Noise (x 0.1%)</translation>
    </message>
    <message>
        <source>Результаты расчета</source>
        <translation>Calculation results</translation>
    </message>
    <message>
        <source>Значения A и B, уровни F3, 50% и F5, коридоры вокруг F3 и F5 и возможные целевые точки, или сообщение об ошибке в значении</source>
        <translation>Values A and B, the F3, 50% and F5 levels, the corridors around F3 and F5 and the possible target points, or a message about a wrong value</translation>
    </message>
    <message>
        <source>Диаграмма уровней</source>
        <translation>Level diagram</translation>
    </message>
    <message>
        <source>Расчет</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Копировать расчёт</source>
        <translation>Copy calculation</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>Без гарантий. Запуская, вы соглаcны.</source>
        <translation>No warranty. By running it, you agree.</translation>
    </message>
    <message>
        <source>Версия 0.0.2, 2026</source>
        <translation>Version 0.0.2, 2026</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>Копировать рисунок</source>
        <translation>Copy picture</translation>
    </message>
    <message>
        <source>Сохранить рисунок…</source>
        <translation>Save picture…</translation>
    </message>
    <message>
        <source>Сохранить рисунок</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <source>Рисунок не сохранён: %1</source>
        <translation>The picture was not saved: %1</translation>
    </message>
    <message>
        <source>Ошибка в значении А!</source>
        <translation>Error in value A!</translation>
    </message>
    <message>
        <source>Ошибка в значении B!</source>
        <translation>Error in value B!</translation>
    </message>
    <message>
        <source>Увеличить шум</source>
        <translation>Increase noise</translation>
    </message>
    <message>
        <source>Уменьшить шум</source>
        <translation>Decrease noise</translation>
    </message>
    <message>
        <source>строка %1</source>
        <translation>line %1</translation>
    </message>
    <message>
        <source>%1, волна %2 (вверх, %3 – %4)</source>
        <translation>%1, swing %2 (up, %3 to %4)</translation>
    </message>
    <message>
        <source>%1, волна %2 (вниз, %3 – %4)</source>
        <translation>%1, swing %2 (down, %3 to %4)</translation>
    </message>
</context>
<context>
    <name>Listing</name>
    <message>
        <source>Ошибка в значении шума!</source>
        <translation>Error in the noise value!</translation>
    </message>
    <message>
        <source>Коридор F3</source>
        <translation>Corridor F3</translation>
    </message>
    <message>
        <source>Коридор F5</source>
        <translation>Corridor F5</translation>
    </message>
    <message>
        <source>Возможные целевые точки</source>
        <translation>Possible target points</translation>
    </message>
</context>
<context>
    <name>Diagram</name>
    <message>
        <source>Диаграмма пуста: A и B равны.</source>
        <translation>The diagram is empty: A and B are equal.</translation>
    </message>
    <message>
        <source>Рост: </source>
        <translation>Rise: </translation>
    </message>
    <message>
        <source>Падение: </source>
        <translation>Fall: </translation>
    </message>
</context>
<context>
    <name>BoxCaption</name>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
