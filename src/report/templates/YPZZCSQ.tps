# 药品再注册申请表的打印模板：三页。
template FrmYPZZCSQ
printer ""

page ""
text 264 68 270 28 "药品监督管理部门" font=黑体 size=16 align=2
text 256 108 262 34 "药品再注册申请表" size=24 bold align=2
text 100 128 64 18 "021202" font=Arial size=8 flags=0x43
border 96 144 604 854
table 96 144 604 rowheight=16
section "申请事项"
row
  t "1.本品种属于："
  r rdbXYSQ "境内生产药品"
  r rdbYYGJBZ "进口药品"
row
  t "2.药品分类："
  r rdbZY "中药、天然药物"
  r rdbHXYP "化学药品"
  r rdbZLYSWZ "治疗用生物制品"
  r rdbYFYSWZP "预防用生物制品"
row
  col 82
  r rdbZCFLQT "其他："
  fill edtZCFLQT
endsection
section "药品情况"
row
  t "3.药品通用名称："
  fill edtYPTYMC
row
  t "4.英文名/拉丁名："
  fill edtYPYWM
row
  t "5.其他名称："
  fill edtYPQTM
row 30 top
  t "6.商品名称："
  f edtSPMC 148
  t "英文："
  fill edtSPYWM
row
  r rdbZJF "7.非制剂："
  r rdbFZJYL "原料药"
  r rdbFZJZY "中药材"
  r rdbFZJZYY "中药饮片"
  r rdbFZJYX "有效成份"
  r rdbFZJZJ "制剂中间体"
row
  col 86
  r rdbFZJQT "其他："
  fill edtFZTQT
row 30 top
  r rdbZJT "8.制剂："
  t "剂型："
  f edtJX 136
  t "规格："
  fill edtGG
row 30 top
  t "9.包装规格："
  f edtBZGG 252
  t "10.药品有效期："
  f edtYPYXQ 30
  t "个月"
row 30 top
  t "11.执行标准："
  r rdbZGYD "中国药典"
  f edtZGYD 46
  t "版"
  r rdbJB "局颁"
  f edtJB 184
  t "第"
  f edtJBC 32
  t "册"
row
  col 82
  r rdbZC "注册标准及标准编号："
  fill edtZC
row 30
  t "12.主要适应症或者功能主治：" width=190 flags=0x43 align=0
  fill edtSYZ "" flags=0x53 align=0
endsection
section "相关情况"
row
  t "13."
  f cbxYPPZWH 112
  t "："
  f edtYPPZWH 200
  t "批准日期："
  f dtpYPpZRQ 80 small
row
  t "14."
  f cbxXYJCQ 76
  t "："
  r rdbXYJCF "无"
  r rdbXYJCT "有，"
  t "终止日期："
  f dtpXYJCZZ 80 small
row
  t "15.新药证书："
  r rdbXYZSF "无"
  r rdbXYZST "有，编号："
  f edtXYZSBH 170
  t "批准日期："
  f edtXYZSPZ 80 small
row
  t "16.是否对药品的下述项目做了变更："
  t "处方："
  r rdbBGXMCFF "否"
  r rdbBGXMCFT "是"
  t "生产工艺："
  r rdbBGXMGYF "否"
  r rdbBGXMGYT "是"
row
  t "制剂所用化学原料药的生产厂："
  r rdbBGXMCF "否"
  r rdbBGXMCT "是"
  t "药品标准："
  r rdbBGXMBZF "否"
  r rdbBGXMBZT "是"
  t "说明书："
  r rdbBGXMSMF "否"
  r rdbBGXMSMT "是"
row 15
  t "17.是否申报过补充申请或者其他形式的变更申请"
  r rdbQTBGF "否"
  r rdbBQTBGT "是"
  t "，请简要填写历次变更情况："
# The grid of earlier applications: a heading line and fifteen lines, the
# columns parted by the rules drawn after the table.
row 15
  t "补充申请事项或其他变更申请" width=196 align=10
  t "审批情况" width=70 align=10
  t "受理号" width=130 align=10
  t "批件编号" width=140 align=10
# Each line holds two lines of text. The fifteenth needs no rule of its own:
# the border's bottom closes it.
repeat N=1..14
row 30 top
  f edtQTSX{N} 196
  f edtQTSP{N} 70
  f edtQTSLH{N} 130
  fill edtQTBH{N}
end
row 30 noline top
  f edtQTSX15 196
  f edtQTSP15 70
  f edtQTSLH15 130
  fill edtQTBH15
endsection
endtable
# The grid's columns: rules from the top of the heading line (533) down to
# the end of the fifteenth line (998), where the border closes the table.
line 360 533 0 465
line 430 533 0 465
line 560 533 0 465
text 82 1000 548 18 "药品再注册申请表　第[PAGE#]页　共[TOTALPAGES]页　　数据核对码：" font=Arial size=8 flags=0x43 align=1
value VerifyCode 630 1000 70 18 "" font=Arial size=8 flags=0x43
order rdbXYSQ rdbYYGJBZ rdbZY rdbHXYP rdbZLYSWZ rdbYFYSWZP rdbZCFLQT rdbFZJYL rdbFZJZY rdbFZJZYY rdbFZJYX
order rdbFZJQT rdbXYJCF rdbXYJCT rdbZGYD rdbJB rdbZC rdbFZJZJ rdbXYZSF rdbXYZST rdbBGXMCFT rdbBGXMCFF
order rdbBQTBGT rdbQTBGF edtQTSLH14 edtQTSX14 edtQTSP14 edtQTBH14 edtQTSLH1 edtQTSX1 edtQTSP1 edtQTBH1
order edtQTSLH2 edtQTSX2 edtQTSP2 edtQTBH2 edtQTSLH3 edtQTSX3 edtQTSP3 edtQTBH3 edtQTSLH4 edtQTSX4
order edtQTSP4 edtQTBH4 edtQTSLH5 edtQTSX5 edtQTSP5 edtQTBH5 edtQTSLH6 edtQTSX6 edtQTSP6 edtQTBH6
order edtQTSLH7 edtQTSX7 edtQTSP7 edtQTBH7 edtQTSLH8 edtQTSX8 edtQTSP8 edtQTBH8 edtQTSLH9 edtQTSX9
order edtQTSP9 edtQTBH9 edtQTSLH10 edtQTSX10 edtQTSP10 edtQTBH10 edtQTSLH11 edtQTSX11 edtQTSP11 edtQTBH11
order edtQTSLH12 edtQTSX12 edtQTSP12 edtQTBH12 edtQTSLH13 edtQTSX13 edtQTSP13 edtQTBH13 edtZCFLQT
order edtYPTYMC edtYPYWM edtYPQTM edtSPMC edtSPYWM edtJX edtGG edtFZTQT edtBZGG edtYPYXQ edtSYZ edtZGYD
order edtJB edtJBC edtZC edtYPPZWH dtpYPpZRQ dtpXYJCZZ edtXYZSPZ edtXYZSBH rdbBGXMGYF rdbBGXMGYT
order rdbBGXMCT rdbBGXMCF rdbBGXMBZT rdbBGXMBZF rdbBGXMSMT rdbBGXMSMF VerifyCode edtQTSLH15 edtQTSX15
order edtQTSP15 edtQTBH15 cbxYPPZWH rdbZJF rdbZJT cbxXYJCQ

page "Page1"
# Addresses and the agent's code row wrap in rows of two lines ("row 32 top").
border 96 84 604 888
table 96 84 604 rowheight=28
section "申请人"
row
  t "18.机构1："
  r rdbJG1F "国内药品生产企业"
  r rdbJG1T "进口药品公司"
  c ckbJG1JF "本机构负责缴费"
row
  t "中文名称："
  fill edtJG1MC
row
  t "英文名称："
  fill edtJG1MCE
row
  t "组织机构代码："
  f edtJG1DM 156
  t "国家或地区："
  fill edtJG1GJ
row
  t "法定代表人："
  f edtJG1FR 200
  t "职位："
  fill edtJG1DBR
row 32 top
  t "注册地址："
  fill edtJG1DZ
row
  t "注册申请负责人："
  f edtJG1FZR 174
  t "职位："
  fill edtJG1ZW
row
  t "电话(含区号及分机号)："
  f edtJG1DH 170
  t "传真："
  fill edtJG1CZ
row
  t "电子信箱："
  fill edtJG1YX
row
  t "19.机构2：进口药品生产厂"
row
  t "中文名称："
  fill edtJG2MC
row
  t "英文名称："
  fill edtJG2MCE
row 32 top
  t "生产地址："
  fill edtJG2DZ
row
  t "国家或地区："
  fill edtJG2GJ
row
  t "法定代表人："
  f edtJG2FR 200
  t "职位："
  fill edtJG2DBR
row
  t "电话(含区号及分机号)："
  f edtJG2DH 170
  t "传真："
  fill edtJG2CZ
row
  t "电子信箱："
  fill edtJG2YX
row
  t "20.机构3：进口药品包装厂："
  r rdbJG3F "无"
  r rdbJG3T "有"
row
  t "名　　称："
  fill edtJG3MC
row 32 top
  t "生产地址："
  fill edtJG3DZ
row
  t "国家或地区："
  fill edtJG3GJ
row
  t "法定代表人："
  f edtJG3FR 200
  t "职位："
  fill edtJG3DBR
row
  t "电话(含区号及分机号)："
  f edtJG3DH 170
  t "传真："
  fill edtJG3CZ
row
  t "电子信箱："
  fill edtJG3YX
endsection
# The agent's objects carry the institution prefix JG4, as its controls do.
section "药品注册代理机构" width=68
row
  r rdbJG4F "无"
  r rdbJG4T "有"
  c ckbJG4JF "本机构负责缴费"
row
  t "21.机构名称："
  fill edtJG4MC
row 32 top
  t "组织机构代码："
  f edtJG4DM 156
  t "法定代表人："
  f edtJG4FR 60
  t "职位："
  fill edtJG4DBR
row 32 top
  t "注册地址："
  f edtJG4DZ 340
  t "邮政编码："
  fill edtJG4YB
row
  t "联系人："
  f edtJG4LXR 200
  t "职位："
  fill edtJG4LXRZW
row
  t "电话(含区号及分机号)："
  f edtJG4LDH 170
  t "传真："
  fill edtJG4CZ
row
  t "电子信箱："
  fill edtJG4YX
endsection
endtable
text 82 1000 548 18 "药品再注册申请表　第[PAGE#]页　共[TOTALPAGES]页　　数据核对码：" font=Arial size=8 flags=0x43 align=1
value VerifyCode1 630 1000 70 18 "" font=Arial size=8 flags=0x43
order rdbJG1F rdbJG1T ckbJG1JF rdbJG4F rdbJG4T ckbJG4JF rdbJG3F rdbJG3T edtJG1MC edtJG1MCE edtJG1FZR
order edtJG1DZ edtJG1FR edtJG1DM edtJG2GJ edtJG2CZ edtJG2DBR edtJG2FR edtJG2DZ edtJG2MCE edtJG1CZ
order edtJG1ZW edtJG1YX edtJG1DH edtJG1DBR edtJG1GJ edtJG2MC edtJG3CZ edtJG3YX edtJG3DH edtJG3FR edtJG3DZ
order edtJG3MC edtJG2DH edtJG2YX edtJG4LXRZW edtJG4CZ edtJG4YB edtJG4DBR edtJG4DZ edtJG4FR edtJG3GJ
order edtJG3DBR edtJG4MC edtJG4DM edtJG4YX edtJG4LXR edtJG4LDH VerifyCode1

page "Page2"
border 96 84 604 870
table 96 84 604 rowheight=20
section "申  明"
row 20 noline
  t "22. 我们保证：①本申请遵守《中华人民共和国药品管理法》、《中华人民共和国药"
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
  t "23.其他特别申明事项："
  box edtQTSM 620 ""
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
text 82 1000 548 18 "药品再注册申请表　第[PAGE#]页　共[TOTALPAGES]页　　数据核对码：" font=Arial size=8 flags=0x43 align=1
value VerifyCode2 630 1000 70 18 "" font=Arial size=8 flags=0x43
order edtQTSM edtSCJG edtSCY edtSCM edtSCD edtSCR VerifyCode2
