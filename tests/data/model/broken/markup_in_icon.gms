<Generator_Name>
Zarvex
</Generator_Name>
<Generator_Version>
1.0
</Generator_Version>
<Product_Name>
General Menu Structure Description Format
</Product_Name>
<Product_Version>
1.0
</Product_Version>
<Structure_Description>
0#$@A#$@#$@#$@#$@
1#$@B#$@x.gif" onerror="alert(1)#$@#$@#$@
</Structure_Description>
