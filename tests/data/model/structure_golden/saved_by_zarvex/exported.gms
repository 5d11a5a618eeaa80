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
0#$@Home#$@home.gif#$@index.html#$@Start page#$@
0#$@Products#$@#$@#$@#$@
1#$@Café & Tea#$@cup.gif#$@cafe.html#$@Hot#$@
2#$@Espresso#$@#$@espresso.html#$@#$@
2#$@separator#$@#$@#$@#$@
1#$@Tea#$@#$@#$@#$@
0#$@About#$@a.gif#$@#$@About us#$@
</Structure_Description>
