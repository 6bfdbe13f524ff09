# 药品补充申请表（进口）的打印模板：四页。
template FrmYPBCSQ_JK
printer ""

page ""
text 264 68 270 28 "药品监督管理部门" font=黑体 size=16 align=2
text 280 108 230 34 "药品补充申请表" size=24 bold align=2
text 100 128 64 18 "021202" font=Arial size=8 flags=0x43
border 96 144 604 854
table 96 144 604 rowheight=15
section "申请事项"
# Item 1: the matters of each block follow its radio button, packed into as
# few rows as their captions allow.
row
  t "1.注册分类："
  r rdbZQXPJ "报ZQX批准的申请事项："
  c ckbSYYP "使用药品商品名称"
  c ckbBGGG "变更药品规格"
row
  skip 8
  c ckbCYXY "持有新药证书的药品生产企业申请该药品的批准文号"
  c ckbGBYP "改变药品生产工艺"
row
  skip 8
  c ckbZJYP "增加药品新的适应症或者功能主治"
  c ckbXGYP "修改药品注册标准"
  c ckbBGYXQ "变更药品有效期"
row
  skip 8
  c ckbBGYPCF "变更药品处方中已有药用要求的辅料"
  c ckbXYJSZR "新药技术转让"
  c ckbYPSXZ "药品试行标准转为正式标准"
row
  skip 8
  c ckbBGBZ "变更直接接触药品的包装材料或者容器"
  c ckbGBJKCD "改变进口药品的产地"
row
  skip 8
  c ckbBGJKZC "变更进口药品注册证的登记项目，如药品名称、制药厂商名称、注册地址"
row
  skip 8
  c YPBZGG "药品包装规格等"
  c ckbGBJKBZ "改变进口药品的国外包装厂"
  c ckbJKGN "进口药品在中国国内分包装"
row
  skip 8
  c ckbGBYLCD "改变进口药品制剂所用原料药的产地"
  c ckbSQQT "其他："
  fill edtSQQT
row
  skip 84
  r rdbZQXBA "报ZQX备案的申请事项："
  c ckbGNSCD "国内药品生产企业内部变更药品生产场地"
row
  skip 8
  c ckbBGYP "变更国内药品生产企业名称"
  c ckbXGSMS "根据国家药品标准或者ZQX的要求修改药品说明书"
row
  skip 8
  c ckbBCSMS "补充完善药品说明书的安全性内容"
  c ckbGBGNYL "改变国内生产药品制剂的原料药产地"
row
  skip 8
  c ckbXGBZ "修改药品包装标签式样"
  c ckbBGGNBZ "变更国内生产药品的包装规格"
  c ckbGBJKDL "改变进口药品注册代理机构"
row
  skip 8
  c ckbGBWG "改变药品外观，但不改变药品标准的"
  c ckbBAQT "其他："
  fill edtBAQT
row
  t "2.本品种属于："
  r rdbJNSC "境内生产药品"
  r rdbJKYP "进口药品"
row
  t "3.药品分类："
  r rdbZY "中药"
  r rdbHXYP "化学药品"
  r rdbZLSW "治疗用生物制品"
  r rdbYFSW "预防用生物制品"
row
  skip 84
  r rdbYFQT "其他："
  fill edtYFQT
endsection
section "药品情况"
# The sheet's rows are 15 high; a long value wraps in a row of two lines
# ("row 30 top"), or where the sheet has no room for them prints in the small
# face, in one line or in two ("row 26 top").
row
  t "4.药品通用名称："
  fill edtYPTYMC
row
  t "5.英文名/拉丁名："
  fill edtYPYWM
row
  t "6.其他名称："
  fill edtYPQTM
row 30 top
  t "7.商品名称："
  f edtSPMC 148
  t "英文："
  fill edtSPYWM
row
  r rdbZJF "8.非制剂："
  r rdbFZJYL "原料药"
  r rdbFZJZY "中药材"
  r rdbFZJZYY "中药饮片"
  r rdbFZJYX "有效成份"
  r rdbFZJZJ "制剂中间体"
row
  skip 100
  r rdbFZJQT "其他：" capname=fsdfs
  fill edtFZJQT
row
  r rdbZJT "9.剂型："
  f edtJX 114 font=Arial size=8
  t "10.规格："
  fill edtGG font=Arial size=8
row 30 top
  t "11.包装规格："
  f edtBZGG 250
  t "12.药品有效期："
  f edtYPYXQ 50
  t "个月"
row
  t "13.新药证书编号："
  f edtZSBH 200
  t "批准日期："
  f dtpXYPZRQ 80 small
row
  t "14."
  f cbxYPPZWH 112
  t "："
  fill edtYPPZWH
row
  skip 39
  t "批准日期："
  f dtpYPpZRQ 80 small
  t "有效期截止日期："
  f dtpYXJZRQ 80 small
row 45
  t "15.处方内辅料(含处方量)：" width=190 flags=0x43 align=0
  fill edtCFNFL "" flags=0x53 align=0
row
  t "16.制剂中化学原料药来源："
  r rdbHXWBG "未变更"
  r rdbHXYBG "已批准变更"
  r rdbBCSB "本次申报"
row
  skip 8
  r rdbLXSB "另行申报(原始编号："
  f edtLXSB 150
  t ")"
row
  t "生产企业名称："
  fill edtSCQY
row 30 top
  t "生产企业地址："
  fill edtSCQYZ
row 30 top
  t "17.药品标准："
  r rdbZGYD "中国药典"
  f edtZGYD 46
  t "版"
  r rdbJB "局颁"
  f edtJB 184
  t "第"
  f edtJBC 32
  t "册"
row
  skip 8
  r rdbZB "自拟标准"
  r rdbZC "注册标准及标准编号："
  fill edtZC
row
  skip 8
  r rdbGWYD "国外药典及版次："
  fill edtGWYD
row
  skip 8
  r rdbSX "注册标准及标准编号："
  fill edtSX
row 30
  t "18.主要适应症或者功能主治：" width=190 flags=0x43 align=0
  fill memSYZ "" flags=0x53 align=0
row
  t "19.原生产企业名称："
  fill edtYSCQY
row
  t "生产地址："
  fill edtYSCQYD font=Arial size=8
endsection
section "相关情况"
row
  t "20.是否特殊管理药品："
  r rdbTSF "否"
  r rdbTST "是："
row
  skip 8
  c ckbMZYP "麻醉药品"
  c ckbJSYP "精神药品"
  c ckbYLDX "医疗用毒性药品"
  c ckbFSX "放射性药品"
row
  t "21.专利："
  c ckbZGZL "有中国专利："
  c ckbYWZL "药物专利"
  c ckbGYZL "工艺专利"
  c ckbQTZL "其他专利："
  fill edtQTZL
row 30 top
  skip 8
  r rdbYGK "已公开"
  r rdbYSQ "已授权　专利权人："
  fill edtZLQR
row
  skip 8
  t "专利到期日期："
  f dtpZLDQR 80 small
  t "本申请是否得到专利权人的实施许可："
  r rdbZLSSXK "是"
  r rdbZLSSF "否"
row 26 top
  skip 8
  c ckbWGZL "有外国专利："
  f edtWGZL 96
  t "专利权人："
  fill edtWGZLQR font=Arial size=8
row
  t "22.同品种药品保护："
  c ckbYPBH "药品行政保护，终止日期："
  f dtpYBJZ 80 small
  c ckbYZSQ "已知有申请者"
row
  skip 8
  c ckbZYBH "中药品种保护，终止日期："
  f dtpZYJZ 80 small
  c ckbYXYBH "原新药保护，终止日期："
  f dtpYXBHJZ 80 small
row
  t "23.新药监测期："
  r rdbXYJCF "无"
  r rdbXYJCT "有，"
  t "终止日期："
  f dtpXYZZ 80 small
endsection
endtable
text 82 1000 548 18 "药品补充申请表(进口)　第[PAGE#]页　共[TOTALPAGES]页　　数据核对码：" font=Arial size=8 flags=0x43 align=1
value VerifyCode 630 1000 70 18 "" font=Arial size=8 flags=0x43

order rdbJNSC rdbJKYP rdbZY rdbHXYP rdbZLSW rdbYFSW rdbYFQT rdbTSF rdbTST ckbMZYP ckbYLDX ckbFSX ckbJSYP
order ckbZGZL ckbGYZL ckbQTZL ckbYWZL rdbYGK rdbYSQ rdbZLSSXK rdbZLSSF ckbYPBH ckbZYBH ckbYXYBH ckbYZSQ
order rdbXYJCF rdbXYJCT ckbCYXY ckbSYYP ckbZJYP ckbBGGG ckbBGYPCF ckbGBYP ckbXGYP ckbBGYXQ ckbBGBZ
order ckbXYJSZR ckbYPSXZ ckbBGJKZC YPBZGG ckbGBJKCD ckbJKGN ckbGBYLCD ckbSQQT ckbGBJKBZ ckbBGYP ckbGNSCD
order ckbBCSMS ckbXGBZ ckbBGGNBZ ckbGBGNYL ckbGBJKDL ckbXGSMS ckbGBWG ckbBAQT edtCFNFL rdbFZJYL rdbFZJZY
order rdbFZJZYY rdbFZJYX rdbHXWBG rdbHXYBG rdbBCSB rdbLXSB rdbZGYD rdbJB rdbSX rdbZC rdbGWYD rdbZB
order edtYPTYMC edtYPYWM edtYPQTM edtSPMC edtSPYWM edtJX edtGG edtBZGG edtYPYXQ edtZSBH dtpXYPZRQ
order edtYPPZWH dtpYPpZRQ dtpYXJZRQ edtSCQY edtSCQYZ edtLXSB edtZGYD edtJB edtJBC edtSX edtGWYD edtZC
order edtYSCQY edtYSCQYD memSYZ edtQTZL edtZLQR dtpZLDQR edtWGZL edtWGZLQR dtpYBJZ dtpZYJZ dtpYXBHJZ
order dtpXYZZ edtSQQT edtBAQT edtYFQT rdbFZJZJ rdbFZJQT fsdfs edtFZJQT ckbWGZL VerifyCode rdbZQXBA
order rdbZQXPJ rdbZJF rdbZJT cbxYPPZWH

page "Page1"
# Addresses wrap in rows of two lines ("row 30 top").
border 96 84 604 906
table 96 84 604 rowheight=21
section "申请人"
row
  t "24.机构1（进口药品公司）："
  c ckbJG1JF "本机构负责缴费"
row
  t "名　　称："
  fill edtJG1MC
row
  t "英文名称："
  fill edtJG1MCE
row
  t "法定代表人："
  f edtJG1FR 200
  t "职位："
  fill edtJG1FRZW
row 30 top
  t "注册地址："
  fill edtJG1ZCDZ
row
  t "国家或地区："
  fill edtJG1ZDGJ
row
  t "注册申请负责人："
  f edtJG1ZSQ 174
  t "职位："
  fill edtJG1SQZW
row
  t "电话："
  f edtJG1DH 170
  t "传真："
  fill edtJG1CZ
row
  t "电子信箱："
  fill edtJG1YX
row
  t "25.机构2（进口药品生产厂）："
row
  t "名　　称："
  fill edtJG2MC
row
  t "英文名称："
  fill edtJG2MCE
row
  t "法定代表人："
  f edtJG2FR 200
  t "职位："
  fill edtJG2FRZW
row 30 top
  t "注册地址："
  fill edtJG2ZCDZ
row
  t "国家或地区："
  fill edtJG2ZCGJ
row
  t "注册申请负责人："
  f edtJG2ZCSQ 174
  t "职位："
  fill edtJG2ZCZW
row
  t "电话："
  f edtJG2DH 170
  t "传真："
  fill edtJG2CZ
row
  t "电子信箱："
  fill edtJG2DZ
row
  t "26.机构3（进口药品国外包装厂）："
  r rdbJG3F "无"
  r rdbJG3T "有"
row
  t "名　　称："
  fill edtJG3MC
row
  t "组织机构代码："
  fill edtJG3MCE
# The position of the legal representative has no caption here, as on the
# screen, where it is hidden.
row
  t "法定代表人："
  f edtJG3FR 200
  fill edtJG3FRZW
row 30 top
  t "注册地址："
  fill edtJG3ZCDZ
row
  t "国家或地区："
  fill edtJG3ZCGJ
row
  t "注册申请负责人："
  f edtJG3ZCSQ 174
  t "职位："
  fill edtJG3ZCZW
row
  t "电话(含区号及分机号)："
  f edtJG3DH 170
  t "传真："
  fill edtJG3CZ
row
  t "电子信箱："
  fill edtJG3DZ
row
  t "27.机构4（进口药品分包装厂）："
  r rdbJG4F "无"
  r rdbJG4T "有"
  c ckbJG4JF "本机构负责缴费"
row
  t "名　　称："
  fill edtJG4MC
row
  t "组织机构代码："
  fill edtJG4DM
row
  t "《药品生产许可证》编号："
  fill edtJG4XKZ
row
  t "法定代表人："
  f edtJG4FR 200
  t "职位："
  fill edtJG4FRZW
row 30 top
  t "生产地址："
  fill edtJG4SCDZ
row
  t "国家或地区："
  fill edtJG4SCYB
row 30 top
  t "注册地址："
  fill edtJG4ZCDZ
row
  t "国家或地区："
  fill edtJG4ZCYB
row
  t "注册申请负责人："
  f edtJG4ZCSQ 174
  t "职位："
  fill edtJG4ZCZW
row
  t "电话(含区号)："
  f edtJG4DH 170
  t "传真："
  fill edtJG4CZ
row
  t "电子信箱："
  fill edtJG4DZ
row
  t "联系人："
  f edtJG4LXR 200
  t "电话："
  fill edtJG4LXRD
row
  t "28.机构5（无）："
endsection
endtable
text 82 1000 548 18 "药品补充申请表(进口)　第[PAGE#]页　共[TOTALPAGES]页　　数据核对码：" font=Arial size=8 flags=0x43 align=1
value VerifyCode1 630 1000 70 18 "" font=Arial size=8 flags=0x43
order ckbJG1JF edtJG1MC edtJG1MCE edtJG1FR edtJG1FRZW edtJG1ZCDZ edtJG1ZDGJ edtJG1ZSQ edtJG1SQZW edtJG1CZ
order edtJG1DH edtJG1YX edtJG2MC edtJG2MCE edtJG2ZCDZ edtJG2FR edtJG2ZCGJ edtJG2ZCZW edtJG2DZ edtJG2CZ
order edtJG2DH edtJG2ZCSQ edtJG2FRZW rdbJG3F rdbJG3T edtJG3MC edtJG3MCE edtJG3ZCDZ edtJG3FR edtJG3ZCGJ
order edtJG3ZCZW edtJG3DZ edtJG3CZ edtJG3DH edtJG3ZCSQ edtJG3FRZW rdbJG4F rdbJG4T ckbJG4JF edtJG4MC
order edtJG4DM edtJG4ZCDZ edtJG4FR edtJG4ZCYB edtJG4ZCZW edtJG4DZ edtJG4CZ edtJG4DH edtJG4ZCSQ edtJG4LXR
order edtJG4LXRD edtJG4FRZW edtJG4SCDZ edtJG4SCYB edtJG4XKZ VerifyCode1

page "Page2"
border 96 84 604 896
table 96 84 604 rowheight=22
section "药品注册代理机构" width=68
row
  r rdbDLF "无"
  r rdbDLT "有"
  c ckbDLJF "本机构负责缴费"
row
  t "29.机构名称："
  fill edtDLJG
row 30 top
  t "组织机构代码："
  f edtDLDM 156
  t "法定代表人："
  f edtDLFR 60
  t "职位："
  fill edtDLFRZW
row 30 top
  t "注册地址："
  f edtDLZCDZ 340
  t "邮政编码："
  fill edtDLZCYB
row
  t "联系人："
  f edtDLLX 200
  t "职位："
  fill edtDLLXZW
row
  t "电话(含区号及分机号)："
  f edtDLDH 170
  t "传真："
  fill edtDLCZ
row
  t "电子信箱："
  fill edtDLXX
endsection
row 20
  t "30.补充申请的内容："
  box memBC 222 ""
row 20
  t "31.原批准注册的相应内容："
  box memYPZ 222 ""
row 20
  t "32.申请理由："
  box memSQLY 222 ""
endtable
text 82 1000 548 18 "药品补充申请表(进口)　第[PAGE#]页　共[TOTALPAGES]页　　数据核对码：" font=Arial size=8 flags=0x43 align=1
value VerifyCode2 630 1000 70 18 "" font=Arial size=8 flags=0x43

order rdbDLF rdbDLT ckbDLJF edtDLJG edtDLDM edtDLFR edtDLFRZW edtDLZCDZ edtDLZCYB edtDLLX edtDLLXZW
order edtDLDH edtDLCZ edtDLXX memBC memYPZ memSQLY VerifyCode2

page "Page3"
border 96 84 604 870
table 96 84 604 rowheight=20
row 20
  t "33.所报资料目录："
  box memSBZLML 380 ""
section "申  明"
row 20 noline
  t "34.我们保证：①本申请遵守《中华人民共和国药品管理法》、《中华人民共和国药"
row 20 noline
  t "品管理法实施条例》和《药品注册管理办法》等法律、法规和规章的规定；②申请表内"
row 20 noline
  t "容及所提交资料、样品均真实、来源合法，未侵犯他人的权益，其中试验研究的方法和"
row 20 noline
  t "数据均为本药品所采用的方法和由本药品得到的试验数据；③一并提交的电子文件与打"
row 20 noline
  t "印文件内容完全一致。"
row 20
  t "　　如查有不实之处，我们承担由此导致的一切法律后果。"
row 20 noline
  t "35.其他特别申明事项："
  box memQTTB 220 ""
row 60 noline
  t "申请机构签章：" align=0
row 50
  t "法定代表人签名："
  skip 150
  t "年　　月　　日"
endsection
endtable
text 628 964 68 18 "官方填写" font=黑体 flags=0x43 frame=0x06 align=10
text 92 982 44 18 "审查人"
value edtSCR 136 982 108 18 "" small
text 244 982 58 18 "审查机关"
# The date stands clear of the frame of "官方填写" above its end.
value edtSCJG 302 982 199 18 "" small
value edtSCY 501 982 33 18 "" small
text 534 982 18 18 "年"
value edtSCM 552 982 20 18 "" small
text 572 982 18 18 "月"
value edtSCD 590 982 20 18 "" small
text 610 982 18 18 "日"
text 82 1000 548 18 "药品补充申请表(进口)　第[PAGE#]页　共[TOTALPAGES]页　　数据核对码：" font=Arial size=8 flags=0x43 align=1
value VerifyCode3 630 1000 70 18 "" font=Arial size=8 flags=0x43
order memSBZLML memQTTB VerifyCode3 edtSCJG edtSCR edtSCY edtSCM edtSCD
