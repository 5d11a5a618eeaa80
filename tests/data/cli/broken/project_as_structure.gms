<Warning_Info>
Note: This file was created and maintained by Zarvex 1.0.
Do not modify it or script project may not be opened again!
</Warning_Info>
<Product_Name>
Zarvex
</Product_Name>
<Product_Version>
1.0
</Product_Version>
<Applet_Parameters>
MyMenu1#$@#$@0#$@1#$@1#$@0#$@100#$@0#$@0#$@0#$@0#$@0#$@1#$@3#$@55A1FF#$@4086E4#$@68ACF8#$@3882E2#$@2#$@000000#$@FFFFFF#$@FFFFFF#$@316AC5#$@FFFFFF#$@316AC5#$@1000#$@tahoma, verdana, sans-serif#$@11#$@16#$@16#$@arrowr.gif#$@arrowrh.gif#$@sep.gif#$@scrollu.gif#$@scrolluh.gif#$@scrollud.gif#$@scrolld.gif#$@scrolldh.gif#$@scrolldd.gif#$@#$@#$@0#$@
</Applet_Parameters>
<Item_Parameters>
Item#$@#$@#$@_self#$@#$@#$@0#$@#$@#$@#$@
</Item_Parameters>
