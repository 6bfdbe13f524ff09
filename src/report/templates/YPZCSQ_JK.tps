# 药品注册申请表（进口）的打印模板：三页。
template FrmYPZCSQ_JK
printer ""

page ""
text 300 69 200 26 "药品监督管理部门" font=黑体 size=16 align=2
text 280 108 230 34 "药品注册申请表" size=24 bold align=2
text 100 128 64 18 "021202" font=Arial size=8 flags=0x43
border 96 144 604 854
table 96 144 604 rowheight=16
section "申请事项"
row
  t "1.申请分类："
  r rdbJKSQ "进口药品"
row
  t "2.注册分类："
  r rdbZY "中药、天然药物"
  f edtZY 30 small
  t "类"
  r rdbHXYP "化学药品"
  f edtHXYP 30 small
  t "类"
  r rdbZLYSWZ "治疗用生物制品"
  f edtZLYSWZ 30 small
  t "类"
row
  skip 84
  r rdbYFYSWZP "预防用生物制品"
  f edtYFYSWZ 30 small
  t "类"
  r rdbZCFLQT "其他："
  fill edtZCFLQT
row
  t "3.附加申请事项："
  c ckbFCFY "非处方药"
  c ckbJHZM "减或者免临床研究"
  c ckbGJDZXL "国际多中心临床研究"
row
  skip 110
  c ckbFJSQQT "其他："
  fill edtFJSQQT
endsection
section "药品情况"
row
  t "4.药品名称："
  fill edtYPTYMC
row
  t "5.英文名/拉丁名："
  fill edtYPYWM
row
  t "6.汉语拼音："
  fill edtHYPY
row 30
  t "7.化学名：" align=0
  fill edtHXMC flags=0x53 align=0
row
  t "8.其他名称："
  fill edtYPQTM
row
  t "9.商品名称："
  r rdbSPMT "使用"
  r rdbSPMF "不使用"
  t "，中文："
  fill edtSPMC
row
  skip 20
  t "英文名称："
  fill edtSPMCE
row
  t "10.药品名称来源："
  r rdbMCLY1 "国家药品标准"
  r rdbMCLY2 "国家药典委员会"
  r rdbMCLY3 "文献"
  r rdbMCLY4 "自拟"
row
  r rdbZJF "11.非制剂："
  r rdbFZJYL "原料药"
  r rdbFZJZY "中药材"
  r rdbFZJZYY "中药饮片"
  r rdbFZJYX "有效成份"
  r rdbFZJZJ "制剂中间体"
row
  skip 84
  r rdbFZJQT "其他："
  fill edtFZTQT
row 30 top
  r rdbZJT "12.制剂："
  t "剂型："
  f edtJX 136
  t "规格："
  fill edtGG
row
  skip 20
  t "属于："
  r rdbYDJX "《中国药典》剂型"
  r rdbXJX "新剂型，英文："
  fill edtXJXE font=Arial size=8
row 30 top
  t "13.包装规格："
  f edtBZGG 252
  t "14.药品有效期："
  f edtYPYXQ 30
  t "个月"
# Items 15 and 16, and 20 and 21, side by side, each caption over its box.
row 16
  t "15.处方内药物活性成份或者中药药味(均含处方量)："
  col 312
  t "16.处方内辅料(含处方量)："
  box edtHXCF 45 at=0 width=304 ""
  box edtCFFL 45 at=312 ""
row
  t "17.制剂中化学原料药来源："
  r rdbYLLYJN "境内生产"
  r rdbYLLYJK "进口注册"
  r rdbYLLYWZC "未注册"
row
  skip 20
  r rdbYLLYSB "另行申报(原始编号："
  f edtYLLYSBH 140
  t ")"
row
  skip 20
  t "生产企业名称："
  fill edtYLLYSQY
row 30 top
  skip 20
  t "生产企业地址："
  fill edtYLLYSQYDZ
row
  t "18.制剂中的中药材标准："
  r rdbBZFD "全部法定"
  r rdbBZWFD "含非法定者，药材名称："
  fill edtBZWFDMC
row
  t "19.药品标准依据："
  r rdbZGYD "《中国药典》"
  f edtZGYD 46
  t "版"
row
  skip 20
  r rdbJB "局颁"
  f edtJB 396
  t "第"
  f edtJBC 30
  t "册"
row
  skip 20
  r rdbBZZN "自拟标准"
  r rdbBZZC "注册标准及标准编号："
  fill edtBZZC
row
  skip 20
  r rdbBZGW "国外药典及版次："
  fill edtBZGW
row 16 noline
  t "20.主要适应症或者功能主治："
  col 268
  t "21.给药途径及特殊用法："
  box edtSYZ 30 at=0 width=260 ""
  box edtGYTJ 30 at=268 ""
endsection
section "相关情况"
row
  t "22.是否特殊管理药品："
  r rdbTSF "否"
  r rdbTST "是："
row
  skip 20
  c ckbMZYP "麻醉药品"
  c ckbJSYP "精神药品"
  c ckbYLDX "医疗用毒性药品"
  c ckbFSX "放射性药品"
row
  t "23.专利："
  c ckbZGZL "有中国专利："
  c ckbYWZL "药物专利"
  c ckbGYZL "工艺专利"
  c ckbQTZL "其他专利："
  fill edtQTZL
row 30 top
  skip 20
  r rdbYGK "已公开"
  r rdbYSQ "已授权　专利权人："
  fill edtZLQR
row
  skip 20
  t "专利到期日期："
  f dtpZLDQR 80 ""
  t "本申请是否得到专利权人的实施许可："
  r rdbZLSSXK "是"
  r rdbZLSSF "否"
row 30 top
  skip 20
  c ckbWGZL "有外国专利："
  f edtWGZL 96
  t "专利权人："
  fill edtWGZLQR
row
  t "24.同品种药品保护："
  c ckbYPBH "药品行政保护，保护截止日期："
  f dtpYBJZ 90 ""
  c ckbYZSQ "已知有申请者"
row
  skip 2
  c ckbZYBH "中药品种保护，保护截止日期："
  f dtpZYJZ 70 ""
  c ckbYXYBH "原新药保护，保护截止日期："
  f dtpYXBHJZ 70 ""
row
  t "25.同品种新药监测期："
  r rdbXYJCF "无"
  r rdbXYJCT "有，起始日期："
  f dtpXYQS 90 ""
  t "终止日期："
  fill dtpXYZZ ""
row
  t "26.本次申请为："
  r rdbBCSQWSC "首次申请"
  r rdbBCSQWZC "再次申请，其首次申请："
row
  skip 20
  c ckbCCH "曾经撤回，原因："
  fill edtCCHYY
row
  skip 20
  c ckbCTS "曾被退审(或者退回)，日期："
  f dtpCTSRQ 70 ""
  t "原因："
  fill edtCTSYY
row
  t "27.境外是否获准上市："
  r rdbJWSSF "否"
  r rdbJWSSU "不详"
  r rdbJWSST "是，国家(地区)："
  fill edtJWSSGJ
row noline
  skip 20
  t "日期："
  f edtJWSSRQ 90 ""
endsection
endtable
text 82 1000 548 18 "药品注册申请表(进口)　第[PAGE#]页　共[TOTALPAGES]页　　数据核对码：" font=Arial size=8 flags=0x43 align=1
value VerifyCode 630 1000 70 18 "" font=Arial size=8 flags=0x43
order rdbJKSQ rdbZY rdbHXYP rdbZLYSWZ rdbYFYSWZP rdbZCFLQT ckbFCFY ckbJHZM ckbGJDZXL ckbFJSQQT edtZY rdbSPMF
order rdbSPMT rdbMCLY1 rdbMCLY2 rdbMCLY3 rdbMCLY4 edtHXCF edtCFFL rdbFZJYL rdbFZJZY rdbFZJZYY rdbFZJYX rdbFZJQT
order rdbYDJX rdbXJX rdbYLLYJN rdbYLLYJK rdbYLLYWZC rdbYLLYSB rdbBZFD rdbBZWFD rdbZGYD rdbJB rdbBZZN rdbBZZC
order rdbBZGW rdbTSF rdbTST ckbMZYP ckbYLDX ckbFSX ckbJSYP ckbZGZL ckbGYZL ckbQTZL ckbYWZL rdbYGK
order rdbYSQ rdbZLSSXK rdbZLSSF ckbYPBH ckbZYBH ckbYXYBH ckbYZSQ rdbXYJCF rdbXYJCT rdbBCSQWSC rdbBCSQWZC ckbCTS
order rdbJWSSF rdbJWSSU rdbJWSST edtZCFLQT edtFJSQQT edtYPTYMC edtYPYWM edtHYPY edtHXMC edtYPQTM edtSPMC edtFZTQT
order edtGG edtJX edtXJXE edtBZGG edtYPYXQ edtYLLYSBH edtYLLYSQY edtYLLYSQYDZ edtBZWFDMC edtSYZ edtGYTJ edtBZGW
order edtBZZC edtJB edtJBC edtZGYD edtQTZL edtZLQR edtWGZLQR edtWGZL edtCCHYY edtCTSYY dtpYBJZ dtpZYJZ
order dtpYXBHJZ dtpXYQS dtpXYZZ edtJWSSGJ edtJWSSRQ edtHXYP edtZLYSWZ edtYFYSWZ dtpZLDQR ckbCCH dtpCTSRQ edtSPMCE
order VerifyCode rdbZJF rdbZJT ckbWGZL rdbFZJZJ

page "Page1"
# Rows of 32 hold two lines: a row whose value may wrap ("top") starts both
# at its top.
border 96 84 604 896
table 96 84 604 rowheight=32
section "申请人"
row
  t "28.机构1（公司）："
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
row 32 top
  t "注册地址："
  fill edtJG1DZ
row
  t "国家或地区："
  fill edtJG1GJ
row
  t "注册申请负责人："
  f edtJG1FZR 108
  t "签字："
  f edtJG1QZ 88 ""
  t "职位："
  fill edtJG1FZRZW
row
  t "电话(含区号及分机号)："
  f edtJG1DH 170
  t "传真："
  fill edtJG1CZ
row
  t "电子信箱："
  fill edtJG1YX
row
  t "29.机构2（生产厂）："
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
row 32 top
  t "注册地址："
  fill edtJG2DZ
row
  t "国家或地区："
  fill edtJG2GJ
row
  t "注册申请负责人："
  f edtJG2FZR 108
  t "签字："
  f edtJG2QZ 88 ""
  t "职位："
  fill edtJG2FZRZW
row
  t "电话："
  f edtJG2DH 170
  t "传真："
  fill edtJG2CZ
row
  t "电子信箱："
  fill edtJG2YX
row
  t "30.机构3（国外包装厂）："
  r rdbJG3F "无"
  r rdbJG3T "有"
row
  t "名　　称："
  fill edtJG3MC
row
  t "英文名称："
  fill edtJG3MCE
row 32 top
  t "生产地址："
  fill edtJG3DZ
row
  t "国家或地区："
  fill edtJG3GJ
row
  t "注册申请负责人："
  f edtJG3FZR 150
  t "职位："
  fill edtJG3FZRZW
row
  t "电话："
  f edtJG3DH 170
  t "传真："
  fill edtJG3CZ
row
  t "电子信箱："
  fill edtJG3YX
row
  t "31.机构4：（无）"
row noline
  t "32.机构5：（无）"
endsection
endtable
text 82 1000 548 18 "药品注册申请表(进口)　第[PAGE#]页　共[TOTALPAGES]页　　数据核对码：" font=Arial size=8 flags=0x43 align=1
value VerifyCode1 630 1000 70 18 "" font=Arial size=8 flags=0x43
order ckbJG1JF rdbJG3F rdbJG3T edtJG1MC edtJG1MCE edtJG1FR edtJG1FRZW edtJG1DZ edtJG1GJ edtJG1FZR edtJG1QZ edtJG1FZRZW
order edtJG1CZ edtJG1DH edtJG1YX edtJG2FR edtJG2MCE edtJG2MC edtJG2QZ edtJG2DZ edtJG2DH edtJG2FZR edtJG2YX edtJG2FZRZW
order edtJG2FRZW edtJG2GJ edtJG3MCE edtJG3DZ edtJG3DH edtJG3FZR edtJG3YX edtJG3FZRZW edtJG3GJ edtJG3MC edtJG2CZ edtJG3CZ
order VerifyCode1

page "Page2"
border 96 84 604 876
table 96 84 604 rowheight=24
section "药品注册代理机构" width=68
row
  r rdbDLF "无"
  r rdbDLT "有"
  c edtDLJF "本机构负责缴费"
row
  t "33.机构名称："
  fill edtDLMC
row 32 top
  t "组织机构代码："
  f edtDLDM 156
  t "法定代表人："
  f edtDLFR 60
  t "职位："
  fill edtDLFRZW
row 32 top
  t "注册地址："
  f edtDLDZ 340
  t "邮政编码："
  fill edtDLYB
row
  t "联系人："
  f edtDLLXR 120
  t "签字："
  f edtDLLXRQZ 90 ""
  t "职位："
  fill edtDLLXRZW
row
  t "电话(含区号及分机号)："
  f edtDLDH 170
  t "传真："
  fill edtDLCZ
row
  t "电子信箱："
  fill edtDLYX
endsection
section "申  明"
row 20 noline
  t "34.我们保证：①本申请遵守《中华人民共和国药品管理法》、《中华人民共和国药品"
row 20 noline
  t "管理法实施条例》和《药品注册管理办法》等法律、法规和规章的规定；②申请表内容"
row 20 noline
  t "及所提交资料、样品均真实、来源合法，未侵犯他人的权益，其中试验研究的方法和数"
row 20 noline
  t "据均为本药品所采用的方法和由本药品得到的试验数据；③一并提交的电子文件与打印"
row 20 noline
  t "文件内容完全一致。"
row 20
  t "　　如查有不实之处，我们承担由此导致的一切法律后果。"
row 20 noline
  t "35.其他特别申明事项："
  box edtQTSM 300 ""
row 60 noline
  t "申请机构签章：" align=0
row 50
  t "法定代表人签名："
  skip 150
  t "年　　月　　日"
endsection
endtable
text 628 964 68 18 "官方填写" font=黑体 flags=0x43 frame=0x06 align=10
text 100 982 72 18 "审查机关："
value edtSCJG 172 982 199 18 "" small
text 371 982 84 18 "审查人签字："
value edtSCR 455 982 108 18 "" small
value edtSCY 563 982 36 18 "" small
text 599 982 18 18 "年"
value edtSCM 617 982 22 18 "" small
text 639 982 18 18 "月"
value edtSCD 657 982 22 18 "" small
text 679 982 18 18 "日"
text 82 1000 548 18 "药品注册申请表(进口)　第[PAGE#]页　共[TOTALPAGES]页　　数据核对码：" font=Arial size=8 flags=0x43 align=1
value VerifyCode2 630 1000 70 18 "" font=Arial size=8 flags=0x43
order rdbDLF rdbDLT edtDLJF edtDLMC edtDLDM edtDLFR edtDLDZ edtDLDH edtDLYX edtDLLXR edtDLFRZW edtDLCZ
order edtDLLXRZW edtDLYB edtQTSM edtSCJG edtSCR edtSCY edtSCM edtSCD edtDLLXRQZ VerifyCode2
