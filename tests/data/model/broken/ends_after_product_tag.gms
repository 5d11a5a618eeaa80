<Generator_Name>
Zarvex
</Generator_Name>
<Generator_Version>
1.0
</Generator_Version>
<Product_Name>
