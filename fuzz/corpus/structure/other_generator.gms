<?xml-ish preamble from another tool>
<Generator_Name>
OtherTool
</Generator_Name>
<Product_Name>
General Menu Structure Description Format
</Product_Name>
not compared
<Product_Version>
2.5
</Product_Version>
ignored
<Structure_Description>
0#$@ Spaced caption #$@
1#$@Child#$@c.gif#$@c.html#$@tip#$@sixth#$@seventh#$@
0#$@
</Structure_Description>
after the end
