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
MyMenu1#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@#$@
</Applet_Parameters>
<Item_Parameters>
A#$@#$@#$@_self#$@#$@#$@0#$@#$@#$@#$@
</Item_Parameters>
