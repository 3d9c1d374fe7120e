<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>ArticleCatalog</name>
    <message>
        <source>核心技术</source>
        <translation>Core Technologies</translation>
    </message>
</context>
<context>
    <name>BoundedRegex</name>
    <message>
        <source>正则表达式无效: %1 (位置 %2)</source>
        <translation>Invalid regular expression: %1 (at position %2)</translation>
    </message>
    <message>
        <source>搜索已中止: 正则表达式过于复杂 (回溯次数超出上限), 请简化表达式</source>
        <translation>Search stopped: the regular expression is too complex (backtracking limit exceeded); please simplify it</translation>
    </message>
    <message>
        <source>搜索已中止: 正则表达式搜索超过 %1 秒, 请简化表达式</source>
        <translation>Search stopped: the regular expression search took longer than %1 seconds; please simplify it</translation>
    </message>
</context>
<context>
    <name>ComparePage</name>
    <message>
        <source>对比</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>导出 CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>请选择 %1 到 %2 个软件条目：在导航树或页面链接上右键，选择“加入对比”。已选 %3 个。</source>
        <translation>Choose %1 to %2 software entries: right-click one in the navigation tree or a link on a page and choose “Add to Compare”. Selected: %3.</translation>
    </message>
    <message>
        <source>已选 %1 个软件；黄色底色的行表示各产品取值不同。</source>
        <translation>Software selected: %1; rows on a yellow background differ between the products.</translation>
    </message>
    <message>
        <source>导出失败</source>
        <translation>Export Failed</translation>
    </message>
    <message>
        <source>无法写入 %1：%2</source>
        <translation>Could not write %1: %2</translation>
    </message>
    <message>
        <source>对比表已导出到 %1</source>
        <translation>Comparison exported to %1</translation>
    </message>
    <message>
        <source>软件对比.csv</source>
        <translation>software-comparison.csv</translation>
    </message>
    <message>
        <source>导出对比表</source>
        <translation>Export Comparison</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
</context>
<context>
    <name>CompareTable</name>
    <message>
        <source>商业</source>
        <translation>Commercial</translation>
    </message>
    <message>
        <source>开源</source>
        <translation>Open source</translation>
    </message>
    <message>
        <source>免费增值</source>
        <translation>Freemium</translation>
    </message>
    <message>
        <source>学术</source>
        <translation>Academic</translation>
    </message>
    <message>
        <source>免费</source>
        <translation>Free</translation>
    </message>
    <message>
        <source>已加入对比: %1</source>
        <translation>Added to the comparison: %1</translation>
    </message>
    <message>
        <source>已在对比列表中: %1</source>
        <translation>Already in the comparison: %1</translation>
    </message>
    <message>
        <source>最多对比 %1 个软件，请先移除一个</source>
        <translation>At most %1 software products can be compared; remove one first</translation>
    </message>
    <message>
        <source>只能对比软件条目: %1</source>
        <translation>Only software entries can be compared: %1</translation>
    </message>
    <message>
        <source>厂商</source>
        <translation>Vendor</translation>
    </message>
    <message>
        <source>类别</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>当前版本</source>
        <translation>Current version</translation>
    </message>
    <message>
        <source>发布日期</source>
        <translation>Release date</translation>
    </message>
    <message>
        <source>许可方式</source>
        <translation>Licensing</translation>
    </message>
    <message>
        <source>平台</source>
        <translation>Platforms</translation>
    </message>
    <message>
        <source>几何内核</source>
        <translation>Geometry kernel</translation>
    </message>
    <message>
        <source>原生格式</source>
        <translation>Native formats</translation>
    </message>
    <message>
        <source>导入格式</source>
        <translation>Import formats</translation>
    </message>
    <message>
        <source>导出格式</source>
        <translation>Export formats</translation>
    </message>
    <message>
        <source>核心功能</source>
        <translation>Core features</translation>
    </message>
    <message>
        <source>主要竞争对手</source>
        <translation>Main competitors</translation>
    </message>
    <message>
        <source>项目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>是否不同</source>
        <translation>Differs</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>移除</source>
        <translation>Remove</translation>
    </message>
</context>
<context>
    <name>ContentRenderer</name>
    <message>
        <source>最后更新: %1 | </source>
        <translation>Last updated: %1 | </translation>
    </message>
    <message>
        <source>版本: %1</source>
        <translation>Version: %1</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;全称:&lt;/strong&gt; %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Full name:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;类别:&lt;/strong&gt; %1</source>
        <translation>&lt;p&gt;&lt;strong&gt;Category:&lt;/strong&gt; %1</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;国家:&lt;/strong&gt; %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Country:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;厂商:&lt;/strong&gt; %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Vendor:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;成立时间:&lt;/strong&gt; %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Founded:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;当前版本:&lt;/strong&gt; %1</source>
        <translation>&lt;p&gt;&lt;strong&gt;Current version:&lt;/strong&gt; %1</translation>
    </message>
    <message>
        <source>&lt;h2&gt;功能特性&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Features&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;核心功能&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Core Features&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;高级功能&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Advanced Features&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;模块列表&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Modules&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;技术规格&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Technical Data&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;几何内核&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Geometry Kernel&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;建模技术&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Modeling Techniques&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;文件格式&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;File Formats&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;th&gt;类型&lt;/th&gt;&lt;th&gt;格式&lt;/th&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;th&gt;Type&lt;/th&gt;&lt;th&gt;Formats&lt;/th&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;原生格式&lt;/td&gt;&lt;td&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;Native formats&lt;/td&gt;&lt;td&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;硬件要求&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Hardware Requirements&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;th&gt;项目&lt;/th&gt;&lt;th&gt;要求&lt;/th&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;th&gt;Item&lt;/th&gt;&lt;th&gt;Requirement&lt;/th&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;行业应用&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Industry Use&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;&lt;strong&gt;用途&lt;/strong&gt;&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;&lt;strong&gt;Used for&lt;/strong&gt;&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;&lt;strong&gt;市场份额&lt;/strong&gt;&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;&lt;strong&gt;Market share&lt;/strong&gt;&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;&lt;strong&gt;主要客户&lt;/strong&gt;&lt;/td&gt;&lt;td&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;&lt;strong&gt;Major customers&lt;/strong&gt;&lt;/td&gt;&lt;td&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;竞争分析&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Competitive Analysis&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;优势&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Strengths&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;劣势&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Weaknesses&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;主要竞争对手&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Main Competitors&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;资源链接&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Resources&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;收购信息&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Acquisition&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;收购方:&lt;/strong&gt; %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Acquired by:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;收购时间:&lt;/strong&gt; %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Acquired on:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;状态:&lt;/strong&gt; %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Status:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;影响:&lt;/strong&gt; %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Impact:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;总部:&lt;/strong&gt; %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Headquarters:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;员工数:&lt;/strong&gt; %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Employees:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;年收入:&lt;/strong&gt; %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Annual revenue:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;基本信息&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Overview&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;CEO:&lt;/strong&gt; %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;CEO:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;股票信息&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Stock&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;交易所:&lt;/strong&gt; %1</source>
        <translation>&lt;p&gt;&lt;strong&gt;Exchange:&lt;/strong&gt; %1</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;市值:&lt;/strong&gt; %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Market capitalization:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;股票链接:&lt;/strong&gt;&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Stock links:&lt;/strong&gt;&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;主要产品&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Main Products&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;技术细节&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Technical Details&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;应用领域&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Applications&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;对比分析&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Comparison&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;分类路径:&lt;/strong&gt; %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Category path:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;已收录资料:&lt;/strong&gt; %1 项&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Entries in this section:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>核心专题</source>
        <translation>Core topics</translation>
    </message>
    <message>
        <source>关键亮点</source>
        <translation>Highlights</translation>
    </message>
    <message>
        <source>重点关注</source>
        <translation>Focus areas</translation>
    </message>
    <message>
        <source>关键方法</source>
        <translation>Key methods</translation>
    </message>
    <message>
        <source>代表厂商/技术</source>
        <translation>Leading vendors and technologies</translation>
    </message>
    <message>
        <source>常用工具</source>
        <translation>Common tools</translation>
    </message>
    <message>
        <source>类型/分类</source>
        <translation>Types and classes</translation>
    </message>
    <message>
        <source>参考资料</source>
        <translation>References</translation>
    </message>
    <message>
        <source>&lt;h3&gt;典型场景&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Typical Scenarios&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>场景</source>
        <translation>Scenario</translation>
    </message>
    <message>
        <source>暂无描述</source>
        <translation>No description yet</translation>
    </message>
    <message>
        <source>&lt;h3&gt;关联资料&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Related Entries&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;th&gt;名称&lt;/th&gt;&lt;th&gt;类型&lt;/th&gt;&lt;th&gt;摘要&lt;/th&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;th&gt;Name&lt;/th&gt;&lt;th&gt;Type&lt;/th&gt;&lt;th&gt;Summary&lt;/th&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;em&gt;另外 %1 项资料可通过展开左侧导航查看。&lt;/em&gt;&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;em&gt;%1 more entries can be found by expanding the navigation on the left.&lt;/em&gt;&lt;/p&gt;</translation>
    </message>
    <message>
        <source>%1 字节</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>&lt;h2&gt;图片详情: %1&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Image details: %1&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>图片未找到&lt;br&gt;%1</source>
        <translation>Image not found&lt;br&gt;%1</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;th&gt;属性&lt;/th&gt;&lt;th&gt;值&lt;/th&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;th&gt;Property&lt;/th&gt;&lt;th&gt;Value&lt;/th&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;&lt;strong&gt;文件名&lt;/strong&gt;&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;&lt;strong&gt;File name&lt;/strong&gt;&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;&lt;strong&gt;文件格式&lt;/strong&gt;&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;&lt;strong&gt;File format&lt;/strong&gt;&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;&lt;strong&gt;文件大小&lt;/strong&gt;&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;&lt;strong&gt;File size&lt;/strong&gt;&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;&lt;strong&gt;最后修改&lt;/strong&gt;&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;&lt;strong&gt;Last modified&lt;/strong&gt;&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;&lt;strong&gt;文件路径&lt;/strong&gt;&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;&lt;strong&gt;File path&lt;/strong&gt;&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;说明:&lt;/strong&gt; %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Description:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;官网:&lt;/strong&gt; %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Website:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>（核实于 %1）</source>
        <translation> (checked on %1)</translation>
    </message>
    <message>
        <source>&lt;h2&gt;资料来源&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Sources&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;相关技术&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Related Technologies&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>已完成</source>
        <translation>Completed</translation>
    </message>
    <message>
        <source>已宣布，待完成</source>
        <translation>Announced, pending</translation>
    </message>
    <message>
        <source>进行中</source>
        <translation>In progress</translation>
    </message>
    <message>
        <source>已终止</source>
        <translation>Terminated</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;母公司:&lt;/strong&gt; %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Parent company:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;曾用名:&lt;/strong&gt;&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Former names:&lt;/strong&gt;&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;被收购&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Acquired&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>收购方</source>
        <translation>Acquirer</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>&lt;h3&gt;收购记录&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Acquisitions&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;th&gt;收购对象&lt;/th&gt;&lt;th&gt;时间&lt;/th&gt;&lt;th&gt;状态&lt;/th&gt;&lt;th&gt;相关产品&lt;/th&gt;&lt;th&gt;说明&lt;/th&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;th&gt;Acquired company&lt;/th&gt;&lt;th&gt;Date&lt;/th&gt;&lt;th&gt;Status&lt;/th&gt;&lt;th&gt;Related products&lt;/th&gt;&lt;th&gt;Notes&lt;/th&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;业务出售&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Divestitures&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;th&gt;业务&lt;/th&gt;&lt;th&gt;买方&lt;/th&gt;&lt;th&gt;宣布时间&lt;/th&gt;&lt;th&gt;状态&lt;/th&gt;&lt;th&gt;相关产品&lt;/th&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;th&gt;Business&lt;/th&gt;&lt;th&gt;Buyer&lt;/th&gt;&lt;th&gt;Announced&lt;/th&gt;&lt;th&gt;Status&lt;/th&gt;&lt;th&gt;Related products&lt;/th&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;所有权与并购&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Ownership and Acquisitions&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;收录的软件&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Software Covered&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;相关文档&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Related Documents&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;子学科&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Subdisciplines&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;strong&gt;相关条目:&lt;/strong&gt; %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;strong&gt;Related entries:&lt;/strong&gt; %1&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>图片以原始尺寸显示（单击图片恢复适应宽度）</source>
        <translation>The picture is shown at its original size (click it to fit the width again)</translation>
    </message>
    <message>
        <source>图片已适应窗口宽度（单击图片查看原始尺寸）</source>
        <translation>The picture fits the window width (click it to see its original size)</translation>
    </message>
</context>
<context>
    <name>ContentZoom</name>
    <message>
        <source>放大</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>实际大小</source>
        <translation>Actual Size</translation>
    </message>
</context>
<context>
    <name>CorruptFileKeeper</name>
    <message>
        <source>以下文件已损坏，只读取了其中完好的部分：</source>
        <translation>These files are damaged; only their intact parts were read:</translation>
    </message>
    <message>
        <source>原因: %1</source>
        <translation>Reason: %1</translation>
    </message>
    <message>
        <source>文件保持原样，下次保存前会先另存一份</source>
        <translation>The file is left as it is; a copy is kept before it is next saved</translation>
    </message>
    <message>
        <source>原文件的副本保存在: %1</source>
        <translation>A copy of the original file is kept in: %1</translation>
    </message>
</context>
<context>
    <name>CustomTextBrowser</name>
    <message>
        <source>请基于以下原文进行详细解释和扩写，不要照抄，补充必要背景、定义、应用场景与关键点，保持事实准确，建议 200-300 字：
%1</source>
        <translation>Explain and expand on the following text in detail. Do not copy it; add the necessary background, definitions, use cases and key points, and keep the facts accurate (about 150-250 words):
%1</translation>
    </message>
    <message>
        <source>生成AI提示词</source>
        <translation>Generate AI Prompt</translation>
    </message>
    <message>
        <source>加入对比</source>
        <translation>Add to Compare</translation>
    </message>
</context>
<context>
    <name>EntryTable</name>
    <message>
        <source>字段</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>值</source>
        <translation>Value</translation>
    </message>
</context>
<context>
    <name>FavoritesWidget</name>
    <message>
        <source>全部分类</source>
        <translation>All categories</translation>
    </message>
    <message>
        <source>搜索收藏的项目...</source>
        <translation>Search favorites...</translation>
    </message>
    <message>
        <source>收藏: %1 个项目</source>
        <translation>Favorites: %1</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>导入</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>清空收藏</source>
        <translation>Clear All</translation>
    </message>
    <message>
        <source>分类:</source>
        <translation>Category:</translation>
    </message>
    <message>
        <source>搜索:</source>
        <translation>Search:</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>分类</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>添加时间</source>
        <translation>Added</translation>
    </message>
    <message>
        <source>描述</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>详细信息</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>选择一个收藏项目查看详细信息</source>
        <translation>Select a favorite to see its details</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>显示详情</source>
        <translation>Show Details</translation>
    </message>
    <message>
        <source>从收藏中移除</source>
        <translation>Remove from Favorites</translation>
    </message>
    <message>
        <source>复制路径</source>
        <translation>Copy Path</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>该项目已在收藏列表中</source>
        <translation>This item is already in your favorites</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>Success</translation>
    </message>
    <message>
        <source>已添加到收藏</source>
        <translation>Added to favorites</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>添加收藏失败</source>
        <translation>Could not add to favorites</translation>
    </message>
    <message>
        <source>名称: %1
</source>
        <translation>Name: %1
</translation>
    </message>
    <message>
        <source>分类: %1
</source>
        <translation>Category: %1
</translation>
    </message>
    <message>
        <source>文件路径: %1
</source>
        <translation>File path: %1
</translation>
    </message>
    <message>
        <source>添加时间: %1
</source>
        <translation>Added: %1
</translation>
    </message>
    <message>
        <source>描述: %1
</source>
        <translation>Description: %1
</translation>
    </message>
    <message>
        <source>缩略图: %1
</source>
        <translation>Thumbnail: %1
</translation>
    </message>
    <message>
        <source>确认删除</source>
        <translation>Confirm Removal</translation>
    </message>
    <message>
        <source>确定要从收藏中移除 &quot;%1&quot; 吗？</source>
        <translation>Remove &quot;%1&quot; from your favorites?</translation>
    </message>
    <message>
        <source>已从收藏中移除</source>
        <translation>Removed from favorites</translation>
    </message>
    <message>
        <source>移除失败</source>
        <translation>Could not remove the item</translation>
    </message>
    <message>
        <source>确认清空</source>
        <translation>Confirm Clearing</translation>
    </message>
    <message>
        <source>确定要清空所有收藏吗？此操作不可恢复。</source>
        <translation>Clear all favorites? This cannot be undone.</translation>
    </message>
    <message>
        <source>清空收藏失败</source>
        <translation>Could not clear the favorites</translation>
    </message>
    <message>
        <source>已清空所有收藏</source>
        <translation>All favorites cleared</translation>
    </message>
    <message>
        <source>导出收藏</source>
        <translation>Export Favorites</translation>
    </message>
    <message>
        <source>JSON files (*.json)</source>
        <translation>JSON files (*.json)</translation>
    </message>
    <message>
        <source>收藏数据已导出</source>
        <translation>Favorites exported</translation>
    </message>
    <message>
        <source>导出失败</source>
        <translation>Export failed</translation>
    </message>
    <message>
        <source>导入收藏</source>
        <translation>Import Favorites</translation>
    </message>
    <message>
        <source>确认导入</source>
        <translation>Confirm Import</translation>
    </message>
    <message>
        <source>导入将覆盖当前的收藏数据，确定继续吗？</source>
        <translation>Importing replaces your current favorites. Continue?</translation>
    </message>
    <message>
        <source>收藏数据已导入</source>
        <translation>Favorites imported</translation>
    </message>
    <message>
        <source>导入失败</source>
        <translation>Import failed</translation>
    </message>
</context>
<context>
    <name>FieldLabels</name>
    <message>
        <source>加速模式</source>
        <translation>Acceleration patterns</translation>
    </message>
    <message>
        <source>准确性说明</source>
        <translation>Accuracy</translation>
    </message>
    <message>
        <source>收购方</source>
        <translation>Acquirer</translation>
    </message>
    <message>
        <source>收购时间</source>
        <translation>Acquisition date</translation>
    </message>
    <message>
        <source>收购信息</source>
        <translation>Acquisition</translation>
    </message>
    <message>
        <source>收购记录</source>
        <translation>Acquisitions</translation>
    </message>
    <message>
        <source>高级功能</source>
        <translation>Advanced features</translation>
    </message>
    <message>
        <source>算法</source>
        <translation>Algorithms</translation>
    </message>
    <message>
        <source>替代方案</source>
        <translation>Alternatives</translation>
    </message>
    <message>
        <source>分析重点</source>
        <translation>Analysis focus</translation>
    </message>
    <message>
        <source>分析类型</source>
        <translation>Analysis types</translation>
    </message>
    <message>
        <source>宣布时间</source>
        <translation>Announced</translation>
    </message>
    <message>
        <source>编程接口</source>
        <translation>Programming interface</translation>
    </message>
    <message>
        <source>应用领域</source>
        <translation>Applications</translation>
    </message>
    <message>
        <source>架构</source>
        <translation>Architecture</translation>
    </message>
    <message>
        <source>基本假设</source>
        <translation>Assumptions</translation>
    </message>
    <message>
        <source>作者</source>
        <translation>Author</translation>
    </message>
    <message>
        <source>基本信息</source>
        <translation>Overview</translation>
    </message>
    <message>
        <source>优势</source>
        <translation>Strengths</translation>
    </message>
    <message>
        <source>适用场景</source>
        <translation>Best for</translation>
    </message>
    <message>
        <source>业务</source>
        <translation>Business</translation>
    </message>
    <message>
        <source>买方</source>
        <translation>Buyer</translation>
    </message>
    <message>
        <source>类别</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>CEO</source>
        <translation>CEO</translation>
    </message>
    <message>
        <source>挑战</source>
        <translation>Challenges</translation>
    </message>
    <message>
        <source>核实日期</source>
        <translation>Checked on</translation>
    </message>
    <message>
        <source>客户端</source>
        <translation>Client</translation>
    </message>
    <message>
        <source>商业版</source>
        <translation>Commercial edition</translation>
    </message>
    <message>
        <source>常见误区</source>
        <translation>Common pitfalls</translation>
    </message>
    <message>
        <source>社区</source>
        <translation>Community</translation>
    </message>
    <message>
        <source>公司</source>
        <translation>Company</translation>
    </message>
    <message>
        <source>对比分析</source>
        <translation>Comparison</translation>
    </message>
    <message>
        <source>竞争分析</source>
        <translation>Competitive analysis</translation>
    </message>
    <message>
        <source>主要竞争对手</source>
        <translation>Main competitors</translation>
    </message>
    <message>
        <source>编译器</source>
        <translation>Compiler</translation>
    </message>
    <message>
        <source>配套组件</source>
        <translation>Complementary components</translation>
    </message>
    <message>
        <source>完成时间</source>
        <translation>Completed</translation>
    </message>
    <message>
        <source>缺点</source>
        <translation>Cons</translation>
    </message>
    <message>
        <source>注意事项</source>
        <translation>Considerations</translation>
    </message>
    <message>
        <source>内容文件</source>
        <translation>Content file</translation>
    </message>
    <message>
        <source>内容类型</source>
        <translation>Content type</translation>
    </message>
    <message>
        <source>收敛建模</source>
        <translation>Convergent modeling</translation>
    </message>
    <message>
        <source>冷却技术</source>
        <translation>Cooling techniques</translation>
    </message>
    <message>
        <source>核心功能</source>
        <translation>Core features</translation>
    </message>
    <message>
        <source>核心概念</source>
        <translation>Core concepts</translation>
    </message>
    <message>
        <source>国家</source>
        <translation>Country</translation>
    </message>
    <message>
        <source>耦合形式</source>
        <translation>Coupling regimes</translation>
    </message>
    <message>
        <source>耦合类型</source>
        <translation>Coupling types</translation>
    </message>
    <message>
        <source>处理器</source>
        <translation>Processor</translation>
    </message>
    <message>
        <source>判据</source>
        <translation>Criterion</translation>
    </message>
    <message>
        <source>当前版本</source>
        <translation>Current version</translation>
    </message>
    <message>
        <source>数据交换</source>
        <translation>Data exchange</translation>
    </message>
    <message>
        <source>数据版本</source>
        <translation>Data version</translation>
    </message>
    <message>
        <source>数据库</source>
        <translation>Database</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>时间范围</source>
        <translation>Date range</translation>
    </message>
    <message>
        <source>定义</source>
        <translation>Definition</translation>
    </message>
    <message>
        <source>交付物</source>
        <translation>Deliverables</translation>
    </message>
    <message>
        <source>交付模式</source>
        <translation>Delivery models</translation>
    </message>
    <message>
        <source>描述</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>详情</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>直接用户</source>
        <translation>Direct users</translation>
    </message>
    <message>
        <source>硬盘空间</source>
        <translation>Disk space</translation>
    </message>
    <message>
        <source>显示</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>业务出售</source>
        <translation>Divestitures</translation>
    </message>
    <message>
        <source>文档</source>
        <translation>Documentation</translation>
    </message>
    <message>
        <source>生态</source>
        <translation>Ecosystem</translation>
    </message>
    <message>
        <source>单元族</source>
        <translation>Element families</translation>
    </message>
    <message>
        <source>员工数</source>
        <translation>Employees</translation>
    </message>
    <message>
        <source>英文</source>
        <translation>English</translation>
    </message>
    <message>
        <source>结束</source>
        <translation>End</translation>
    </message>
    <message>
        <source>方程</source>
        <translation>Equation</translation>
    </message>
    <message>
        <source>事件</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>示例</source>
        <translation>Examples</translation>
    </message>
    <message>
        <source>交易所</source>
        <translation>Exchange</translation>
    </message>
    <message>
        <source>导出格式</source>
        <translation>Export formats</translation>
    </message>
    <message>
        <source>表达式</source>
        <translation>Expression</translation>
    </message>
    <message>
        <source>系列</source>
        <translation>Family</translation>
    </message>
    <message>
        <source>功能特性</source>
        <translation>Features</translation>
    </message>
    <message>
        <source>字段</source>
        <translation>Fields</translation>
    </message>
    <message>
        <source>文件扩展名</source>
        <translation>File extensions</translation>
    </message>
    <message>
        <source>文件格式</source>
        <translation>File formats</translation>
    </message>
    <message>
        <source>重点</source>
        <translation>Focus</translation>
    </message>
    <message>
        <source>重点关注</source>
        <translation>Focus areas</translation>
    </message>
    <message>
        <source>曾用名</source>
        <translation>Former names</translation>
    </message>
    <message>
        <source>成立时间</source>
        <translation>Founded</translation>
    </message>
    <message>
        <source>频率范围</source>
        <translation>Frequency regimes</translation>
    </message>
    <message>
        <source>全称</source>
        <translation>Full name</translation>
    </message>
    <message>
        <source>功能</source>
        <translation>Functional</translation>
    </message>
    <message>
        <source>生成时间</source>
        <translation>Generated at</translation>
    </message>
    <message>
        <source>几何输入</source>
        <translation>Geometry input</translation>
    </message>
    <message>
        <source>几何内核</source>
        <translation>Geometry kernel</translation>
    </message>
    <message>
        <source>控制方程</source>
        <translation>Governing equations</translation>
    </message>
    <message>
        <source>显卡</source>
        <translation>Graphics card</translation>
    </message>
    <message>
        <source>硬件要求</source>
        <translation>Hardware requirements</translation>
    </message>
    <message>
        <source>总部</source>
        <translation>Headquarters</translation>
    </message>
    <message>
        <source>关键亮点</source>
        <translation>Highlights</translation>
    </message>
    <message>
        <source>发展历史</source>
        <translation>History</translation>
    </message>
    <message>
        <source>标识</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>影响</source>
        <translation>Impact</translation>
    </message>
    <message>
        <source>实现</source>
        <translation>Implementations</translation>
    </message>
    <message>
        <source>导入格式</source>
        <translation>Import formats</translation>
    </message>
    <message>
        <source>行业</source>
        <translation>Industries</translation>
    </message>
    <message>
        <source>行业应用</source>
        <translation>Industry use</translation>
    </message>
    <message>
        <source>条目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>键</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>关键概念</source>
        <translation>Key concepts</translation>
    </message>
    <message>
        <source>主要客户</source>
        <translation>Major customers</translation>
    </message>
    <message>
        <source>关键方法</source>
        <translation>Key methods</translation>
    </message>
    <message>
        <source>代表厂商/技术</source>
        <translation>Leading vendors and technologies</translation>
    </message>
    <message>
        <source>关键技术</source>
        <translation>Key technologies</translation>
    </message>
    <message>
        <source>关键词</source>
        <translation>Keywords</translation>
    </message>
    <message>
        <source>最后更新</source>
        <translation>Last updated</translation>
    </message>
    <message>
        <source>许可证</source>
        <translation>License</translation>
    </message>
    <message>
        <source>许可类型</source>
        <translation>License types</translation>
    </message>
    <message>
        <source>许可方式</source>
        <translation>Licensing</translation>
    </message>
    <message>
        <source>局限</source>
        <translation>Limitations</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>维护方</source>
        <translation>Maintainer</translation>
    </message>
    <message>
        <source>市值</source>
        <translation>Market capitalization</translation>
    </message>
    <message>
        <source>市场份额</source>
        <translation>Market share</translation>
    </message>
    <message>
        <source>含义</source>
        <translation>Meaning</translation>
    </message>
    <message>
        <source>内存</source>
        <translation>Memory</translation>
    </message>
    <message>
        <source>二维网格算法</source>
        <translation>2D meshing algorithms</translation>
    </message>
    <message>
        <source>三维网格算法</source>
        <translation>3D meshing algorithms</translation>
    </message>
    <message>
        <source>元数据</source>
        <translation>Metadata</translation>
    </message>
    <message>
        <source>方法</source>
        <translation>Methods</translation>
    </message>
    <message>
        <source>方法尺度</source>
        <translation>Method scales</translation>
    </message>
    <message>
        <source>方法选择</source>
        <translation>Choosing a method</translation>
    </message>
    <message>
        <source>最小内存</source>
        <translation>Minimum memory</translation>
    </message>
    <message>
        <source>模型</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>模型族</source>
        <translation>Model families</translation>
    </message>
    <message>
        <source>建模技术</source>
        <translation>Modeling techniques</translation>
    </message>
    <message>
        <source>许可模式</source>
        <translation>License models</translation>
    </message>
    <message>
        <source>模块列表</source>
        <translation>Modules</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>原生格式</source>
        <translation>Native formats</translation>
    </message>
    <message>
        <source>网络</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>备注</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>数值方法</source>
        <translation>Numerical methods</translation>
    </message>
    <message>
        <source>官网</source>
        <translation>Website</translation>
    </message>
    <message>
        <source>顺序</source>
        <translation>Order</translation>
    </message>
    <message>
        <source>起源</source>
        <translation>Origin</translation>
    </message>
    <message>
        <source>操作系统</source>
        <translation>Operating system</translation>
    </message>
    <message>
        <source>其他工具</source>
        <translation>Other tools</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>母公司</source>
        <translation>Parent company</translation>
    </message>
    <message>
        <source>待完成交易</source>
        <translation>Pending transaction</translation>
    </message>
    <message>
        <source>平台</source>
        <translation>Platforms</translation>
    </message>
    <message>
        <source>价格区间</source>
        <translation>Price range</translation>
    </message>
    <message>
        <source>原理</source>
        <translation>Principles</translation>
    </message>
    <message>
        <source>主要产品</source>
        <translation>Main products</translation>
    </message>
    <message>
        <source>编程模型</source>
        <translation>Programming models</translation>
    </message>
    <message>
        <source>物性数据</source>
        <translation>Property data</translation>
    </message>
    <message>
        <source>优点</source>
        <translation>Pros</translation>
    </message>
    <message>
        <source>用途</source>
        <translation>Use</translation>
    </message>
    <message>
        <source>质量检查</source>
        <translation>Quality checks</translation>
    </message>
    <message>
        <source>质量指标</source>
        <translation>Quality metrics</translation>
    </message>
    <message>
        <source>范围</source>
        <translation>Scope</translation>
    </message>
    <message>
        <source>读写</source>
        <translation>Read and write</translation>
    </message>
    <message>
        <source>只读</source>
        <translation>Read only</translation>
    </message>
    <message>
        <source>推荐内存</source>
        <translation>Recommended memory</translation>
    </message>
    <message>
        <source>推荐软件</source>
        <translation>Recommended software</translation>
    </message>
    <message>
        <source>记录</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>参考资料</source>
        <translation>References</translation>
    </message>
    <message>
        <source>适用范围</source>
        <translation>Regime</translation>
    </message>
    <message>
        <source>相关文档</source>
        <translation>Related documents</translation>
    </message>
    <message>
        <source>相关产品</source>
        <translation>Related products</translation>
    </message>
    <message>
        <source>相关标准</source>
        <translation>Related standards</translation>
    </message>
    <message>
        <source>相关技术</source>
        <translation>Related technologies</translation>
    </message>
    <message>
        <source>发布日期</source>
        <translation>Release date</translation>
    </message>
    <message>
        <source>代码仓库</source>
        <translation>Repository</translation>
    </message>
    <message>
        <source>表示方法</source>
        <translation>Representation</translation>
    </message>
    <message>
        <source>代表性库</source>
        <translation>Representative libraries</translation>
    </message>
    <message>
        <source>资源链接</source>
        <translation>Resources</translation>
    </message>
    <message>
        <source>年收入</source>
        <translation>Annual revenue</translation>
    </message>
    <message>
        <source>审核状态</source>
        <translation>Review status</translation>
    </message>
    <message>
        <source>层级</source>
        <translation>Rung</translation>
    </message>
    <message>
        <source>运行时</source>
        <translation>Runtime</translation>
    </message>
    <message>
        <source>可扩展性</source>
        <translation>Scalability</translation>
    </message>
    <message>
        <source>尺度</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>结构版本</source>
        <translation>Schema version</translation>
    </message>
    <message>
        <source>选型指南</source>
        <translation>Selection guide</translation>
    </message>
    <message>
        <source>卖方</source>
        <translation>Seller</translation>
    </message>
    <message>
        <source>软件</source>
        <translation>Software</translation>
    </message>
    <message>
        <source>求解策略</source>
        <translation>Solution strategies</translation>
    </message>
    <message>
        <source>求解器关键字</source>
        <translation>Solver keywords</translation>
    </message>
    <message>
        <source>资料来源</source>
        <translation>Sources</translation>
    </message>
    <message>
        <source>标准</source>
        <translation>Standards</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>步骤</source>
        <translation>Steps</translation>
    </message>
    <message>
        <source>股票信息</source>
        <translation>Stock</translation>
    </message>
    <message>
        <source>股票链接</source>
        <translation>Stock links</translation>
    </message>
    <message>
        <source>策略</source>
        <translation>Strategy</translation>
    </message>
    <message>
        <source>子类别</source>
        <translation>Subcategory</translation>
    </message>
    <message>
        <source>子学科</source>
        <translation>Subdisciplines</translation>
    </message>
    <message>
        <source>摘要</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>支持的软件</source>
        <translation>Supported by</translation>
    </message>
    <message>
        <source>股票代码</source>
        <translation>Ticker symbol</translation>
    </message>
    <message>
        <source>标签</source>
        <translation>Tags</translation>
    </message>
    <message>
        <source>收购对象</source>
        <translation>Acquired company</translation>
    </message>
    <message>
        <source>技术细节</source>
        <translation>Technical details</translation>
    </message>
    <message>
        <source>技术规格</source>
        <translation>Technical data</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>容差建模</source>
        <translation>Tolerant modeling</translation>
    </message>
    <message>
        <source>核心专题</source>
        <translation>Core topics</translation>
    </message>
    <message>
        <source>培训</source>
        <translation>Training</translation>
    </message>
    <message>
        <source>湍流模型</source>
        <translation>Turbulence models</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>类型/分类</source>
        <translation>Types and classes</translation>
    </message>
    <message>
        <source>典型应用</source>
        <translation>Typical applications</translation>
    </message>
    <message>
        <source>典型单元</source>
        <translation>Typical elements</translation>
    </message>
    <message>
        <source>典型参数</source>
        <translation>Typical parameters</translation>
    </message>
    <message>
        <source>典型用途</source>
        <translation>Typical use</translation>
    </message>
    <message>
        <source>典型数值</source>
        <translation>Typical values</translation>
    </message>
    <message>
        <source>链接</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>典型场景</source>
        <translation>Use cases</translation>
    </message>
    <message>
        <source>使用者</source>
        <translation>Used by</translation>
    </message>
    <message>
        <source>值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>取值</source>
        <translation>Values</translation>
    </message>
    <message>
        <source>厂商</source>
        <translation>Vendor</translation>
    </message>
    <message>
        <source>版本规则</source>
        <translation>Versioning</translation>
    </message>
    <message>
        <source>劣势</source>
        <translation>Weaknesses</translation>
    </message>
    <message>
        <source>Web 服务器</source>
        <translation>Web server</translation>
    </message>
    <message>
        <source>只写</source>
        <translation>Write only</translation>
    </message>
    <message>
        <source>年份</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>Chinese</translation>
    </message>
</context>
<context>
    <name>FileLoader</name>
    <message>
        <source>加载数据失败: %1</source>
        <translation>Could not load the data: %1</translation>
    </message>
    <message>
        <source>无法保存条目索引 %1: %2</source>
        <translation>Could not save the entry index %1: %2</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <source>在页面中查找</source>
        <translation>Find in page</translation>
    </message>
    <message>
        <source>上一个 (Shift+F3)</source>
        <translation>Previous (Shift+F3)</translation>
    </message>
    <message>
        <source>下一个 (F3)</source>
        <translation>Next (F3)</translation>
    </message>
    <message>
        <source>关闭 (Esc)</source>
        <translation>Close (Esc)</translation>
    </message>
    <message>
        <source>页内查找(&amp;I)</source>
        <translation>F&amp;ind in Page</translation>
    </message>
    <message>
        <source>查找下一个</source>
        <translation>Find Next</translation>
    </message>
    <message>
        <source>查找上一个</source>
        <translation>Find Previous</translation>
    </message>
</context>
<context>
    <name>FormEditor</name>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>全称</source>
        <translation>Full name</translation>
    </message>
    <message>
        <source>类别</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>子类别</source>
        <translation>Subcategory</translation>
    </message>
    <message>
        <source>厂商</source>
        <translation>Vendor</translation>
    </message>
    <message>
        <source>当前版本</source>
        <translation>Current version</translation>
    </message>
    <message>
        <source>发布日期</source>
        <translation>Release date</translation>
    </message>
    <message>
        <source>中文描述</source>
        <translation>Chinese description</translation>
    </message>
    <message>
        <source>英文描述</source>
        <translation>English description</translation>
    </message>
    <message>
        <source>总部</source>
        <translation>Headquarters</translation>
    </message>
    <message>
        <source>成立时间</source>
        <translation>Founded</translation>
    </message>
    <message>
        <source>员工数</source>
        <translation>Employees</translation>
    </message>
    <message>
        <source>年收入</source>
        <translation>Annual revenue</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>ID:</source>
        <translation>ID:</translation>
    </message>
    <message>
        <source>名称:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>全称:</source>
        <translation>Full name:</translation>
    </message>
    <message>
        <source>类别:</source>
        <translation>Category:</translation>
    </message>
    <message>
        <source>子类别:</source>
        <translation>Subcategory:</translation>
    </message>
    <message>
        <source>厂商:</source>
        <translation>Vendor:</translation>
    </message>
    <message>
        <source>当前版本:</source>
        <translation>Current version:</translation>
    </message>
    <message>
        <source>发布日期:</source>
        <translation>Release date:</translation>
    </message>
    <message>
        <source>中文描述:</source>
        <translation>Chinese description:</translation>
    </message>
    <message>
        <source>英文描述:</source>
        <translation>English description:</translation>
    </message>
    <message>
        <source>几何内核:</source>
        <translation>Geometry kernel:</translation>
    </message>
    <message>
        <source>支持平台:</source>
        <translation>Platforms:</translation>
    </message>
    <message>
        <source>编程API:</source>
        <translation>Programming API:</translation>
    </message>
    <message>
        <source>授权类型:</source>
        <translation>License type:</translation>
    </message>
    <message>
        <source>公司名称:</source>
        <translation>Company name:</translation>
    </message>
    <message>
        <source>总部:</source>
        <translation>Headquarters:</translation>
    </message>
    <message>
        <source>成立时间:</source>
        <translation>Founded:</translation>
    </message>
    <message>
        <source>员工数:</source>
        <translation>Employees:</translation>
    </message>
    <message>
        <source>年收入:</source>
        <translation>Annual revenue:</translation>
    </message>
    <message>
        <source>公司简介:</source>
        <translation>Company profile:</translation>
    </message>
    <message>
        <source>主要产品:</source>
        <translation>Main products:</translation>
    </message>
    <message>
        <source>技术名称:</source>
        <translation>Technology name:</translation>
    </message>
    <message>
        <source>类型:</source>
        <translation>Type:</translation>
    </message>
    <message>
        <source>技术描述:</source>
        <translation>Technology description:</translation>
    </message>
    <message>
        <source>字段 &apos;%1&apos; 不能为空</source>
        <translation>The field &apos;%1&apos; must not be empty</translation>
    </message>
    <message>
        <source>表单为只读：修改不会被保存</source>
        <translation>The form is read-only: changes are not saved</translation>
    </message>
    <message>
        <source>未保存</source>
        <translation>Not Saved</translation>
    </message>
    <message>
        <source>表单为只读：知识库条目编译在程序中，修改不会被保存。</source>
        <translation>The form is read-only: the knowledge base entries are compiled into the program, so changes are not saved.</translation>
    </message>
    <message>
        <source>验证失败</source>
        <translation>Validation Failed</translation>
    </message>
</context>
<context>
    <name>GraphWidget</name>
    <message>
        <source>开发</source>
        <translation>develops</translation>
    </message>
    <message>
        <source>使用内核</source>
        <translation>uses kernel</translation>
    </message>
    <message>
        <source>支持平台</source>
        <translation>runs on</translation>
    </message>
    <message>
        <source>应用于</source>
        <translation>applied in</translation>
    </message>
    <message>
        <source>总部</source>
        <translation>headquartered in</translation>
    </message>
    <message>
        <source>产品</source>
        <translation>product</translation>
    </message>
    <message>
        <source>被使用</source>
        <translation>used by</translation>
    </message>
    <message>
        <source>开发商</source>
        <translation>developer</translation>
    </message>
    <message>
        <source>类别</source>
        <translation>category</translation>
    </message>
</context>
<context>
    <name>HistoryWidget</name>
    <message>
        <source>最近访问</source>
        <translation>Most recent</translation>
    </message>
    <message>
        <source>访问次数</source>
        <translation>Visits</translation>
    </message>
    <message>
        <source>按分类</source>
        <translation>By category</translation>
    </message>
    <message>
        <source>搜索历史记录...</source>
        <translation>Search history...</translation>
    </message>
    <message>
        <source>历史记录: %1 个项目</source>
        <translation>History: %1</translation>
    </message>
    <message>
        <source>清空历史</source>
        <translation>Clear All</translation>
    </message>
    <message>
        <source>排序:</source>
        <translation>Sort:</translation>
    </message>
    <message>
        <source>搜索:</source>
        <translation>Search:</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>分类</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>访问时间</source>
        <translation>Visited</translation>
    </message>
    <message>
        <source>浏览历史</source>
        <translation>Browsing History</translation>
    </message>
    <message>
        <source>搜索查询</source>
        <translation>Search query</translation>
    </message>
    <message>
        <source>搜索时间</source>
        <translation>Searched</translation>
    </message>
    <message>
        <source>结果数量</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>搜索历史</source>
        <translation>Search History</translation>
    </message>
    <message>
        <source>详细信息</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>选择一个历史记录查看详细信息</source>
        <translation>Select a history entry to see its details</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>添加到收藏</source>
        <translation>Add to Favorites</translation>
    </message>
    <message>
        <source>从历史中移除</source>
        <translation>Remove from History</translation>
    </message>
    <message>
        <source>复制路径</source>
        <translation>Copy Path</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>添加到收藏功能待实现</source>
        <translation>Adding to favorites from here is not available yet</translation>
    </message>
    <message>
        <source>名称: %1
</source>
        <translation>Name: %1
</translation>
    </message>
    <message>
        <source>分类: %1
</source>
        <translation>Category: %1
</translation>
    </message>
    <message>
        <source>文件路径: %1
</source>
        <translation>File path: %1
</translation>
    </message>
    <message>
        <source>最后访问: %1
</source>
        <translation>Last visited: %1
</translation>
    </message>
    <message>
        <source>访问次数: %1 次
</source>
        <translation>Visits: %1
</translation>
    </message>
    <message>
        <source>搜索查询: %1
</source>
        <translation>Search query: %1
</translation>
    </message>
    <message>
        <source>搜索时间: %1
</source>
        <translation>Searched: %1
</translation>
    </message>
    <message>
        <source>结果数量: %1 个
</source>
        <translation>Results: %1
</translation>
    </message>
    <message>
        <source>搜索分类: %1
</source>
        <translation>Search category: %1
</translation>
    </message>
    <message>
        <source>使用筛选: %1
</source>
        <translation>Filters: %1
</translation>
    </message>
    <message>
        <source>确认删除</source>
        <translation>Confirm Removal</translation>
    </message>
    <message>
        <source>确定要从历史记录中移除 &quot;%1&quot; 吗？</source>
        <translation>Remove &quot;%1&quot; from the history?</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>移除失败</source>
        <translation>Could not remove the item</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>Success</translation>
    </message>
    <message>
        <source>已从历史记录中移除</source>
        <translation>Removed from the history</translation>
    </message>
    <message>
        <source>确认清空</source>
        <translation>Confirm Clearing</translation>
    </message>
    <message>
        <source>确定要清空所有%1吗？此操作不可恢复。</source>
        <translation>Clear the whole %1? This cannot be undone.</translation>
    </message>
    <message>
        <source>清空%1失败</source>
        <translation>Could not clear the %1</translation>
    </message>
    <message>
        <source>已清空所有%1</source>
        <translation>Cleared the %1</translation>
    </message>
    <message>
        <source>搜索历史</source>
        <comment>within a sentence</comment>
        <translation>search history</translation>
    </message>
    <message>
        <source>浏览历史</source>
        <comment>within a sentence</comment>
        <translation>browsing history</translation>
    </message>
</context>
<context>
    <name>HomePageRenderer</name>
    <message>
        <source>首页</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>Quorvanta 工业软件知识库</source>
        <translation>Quorvanta Industrial Software Knowledge Base</translation>
    </message>
    <message>
        <source>Ctrl+K 快速切换 · Ctrl+F 页内查找 · Alt+← / Alt+→ 后退 / 前进 · Alt+Home 回到首页</source>
        <translation>Ctrl+K quick switcher · Ctrl+F find in page · Alt+← / Alt+→ back / forward · Alt+Home home page</translation>
    </message>
    <message>
        <source>知识库概览</source>
        <translation>Knowledge Base Overview</translation>
    </message>
    <message>
        <source>工业软件</source>
        <translation>Industrial Software</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>合计</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>其他内容</source>
        <translation>Other content</translation>
    </message>
    <message>
        <source>公司企业</source>
        <translation>Companies</translation>
    </message>
    <message>
        <source>核心技术 · %1</source>
        <translation>Core Technologies · %1</translation>
    </message>
    <message>
        <source>学科领域 · %1</source>
        <translation>Disciplines · %1</translation>
    </message>
    <message>
        <source>图片资源</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>文章</source>
        <translation>Articles</translation>
    </message>
    <message>
        <source>最近浏览</source>
        <translation>Recently Viewed</translation>
    </message>
    <message>
        <source>暂无浏览记录</source>
        <translation>Nothing viewed yet</translation>
    </message>
    <message>
        <source>收藏</source>
        <translation>Favorites</translation>
    </message>
    <message>
        <source>暂无收藏（Ctrl+D 收藏当前页面）</source>
        <translation>No favorites yet (Ctrl+D adds the current page)</translation>
    </message>
    <message>
        <source>暂无文章</source>
        <translation>No articles yet</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>分类</source>
        <translation>Category</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>语言(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
</context>
<context>
    <name>LinkPolicy</name>
    <message>
        <source>已拒绝打开链接（不支持的地址类型）: %1</source>
        <translation>Link not opened (unsupported address type): %1</translation>
    </message>
</context>
<context>
    <name>LogWidget</name>
    <message>
        <source>清空日志</source>
        <translation>Clear Log</translation>
    </message>
    <message>
        <source>保存日志</source>
        <translation>Save Log</translation>
    </message>
    <message>
        <source>日志系统已启动</source>
        <translation>Logging started</translation>
    </message>
    <message>
        <source>已安装全局消息处理器</source>
        <translation>Global message handler installed</translation>
    </message>
    <message>
        <source>日志已清空</source>
        <translation>Log cleared</translation>
    </message>
    <message>
        <source>保存日志文件</source>
        <translation>Save Log File</translation>
    </message>
    <message>
        <source>文本文件 (*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <source>无法保存日志文件: %1</source>
        <translation>Could not save the log file: %1</translation>
    </message>
    <message>
        <source>日志已保存到: %1</source>
        <translation>Log saved to: %1</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>数据加载完成</source>
        <translation>Data loaded</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>日志输出</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>收藏</source>
        <translation>Favorites</translation>
    </message>
    <message>
        <source>历史记录</source>
        <translation>History</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>搜索(&amp;F)</source>
        <translation>&amp;Find</translation>
    </message>
    <message>
        <source>高级搜索(&amp;A)</source>
        <translation>&amp;Advanced Search</translation>
    </message>
    <message>
        <source>添加到收藏(&amp;F)</source>
        <translation>Add to &amp;Favorites</translation>
    </message>
    <message>
        <source>显示收藏夹(&amp;V)</source>
        <translation>Show Fa&amp;vorites</translation>
    </message>
    <message>
        <source>显示历史记录(&amp;H)</source>
        <translation>Show &amp;History</translation>
    </message>
    <message>
        <source>视图(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>查看模式</source>
        <translation>Reading View</translation>
    </message>
    <message>
        <source>表单编辑</source>
        <translation>Form Editor</translation>
    </message>
    <message>
        <source>Markdown编辑</source>
        <translation>Markdown Editor</translation>
    </message>
    <message>
        <source>表格编辑</source>
        <translation>Table Editor</translation>
    </message>
    <message>
        <source>图谱视图</source>
        <translation>Graph View</translation>
    </message>
    <message>
        <source>显示日志窗口</source>
        <translation>Show Log Window</translation>
    </message>
    <message>
        <source>转到(&amp;G)</source>
        <translation>&amp;Go</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>资源文章(&amp;R)</source>
        <translation>&amp;Resource Articles</translation>
    </message>
    <message>
        <source>关于(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>主工具栏</source>
        <translation>Main Toolbar</translation>
    </message>
    <message>
        <source>搜索: </source>
        <translation>Search: </translation>
    </message>
    <message>
        <source>输入关键词搜索...</source>
        <translation>Type keywords to search...</translation>
    </message>
    <message>
        <source>高级搜索</source>
        <translation>Advanced Search</translation>
    </message>
    <message>
        <source>刷新资讯</source>
        <translation>Refresh News</translation>
    </message>
    <message>
        <source>一键收藏</source>
        <translation>Add to Favorites</translation>
    </message>
    <message>
        <source>收藏夹</source>
        <translation>Favorites</translation>
    </message>
    <message>
        <source>资源文章</source>
        <translation>Resource Articles</translation>
    </message>
    <message>
        <source>编辑模式: </source>
        <translation>Mode: </translation>
    </message>
    <message>
        <source>查看</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>表单</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>表格</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>图谱</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>笔记</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>后退</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>后退 (Alt+Left)</source>
        <translation>Back (Alt+Left)</translation>
    </message>
    <message>
        <source>前进</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>前进 (Alt+Right)</source>
        <translation>Forward (Alt+Right)</translation>
    </message>
    <message>
        <source>首页</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>首页 (Alt+Home)</source>
        <translation>Home (Alt+Home)</translation>
    </message>
    <message>
        <source>缩放: %1%</source>
        <translation>Zoom: %1%</translation>
    </message>
    <message>
        <source>无法打开文章: %1</source>
        <translation>Could not open the article: %1</translation>
    </message>
    <message>
        <source>Quorvanta启动成功</source>
        <translation>Quorvanta started</translation>
    </message>
    <message>
        <source>系统版本: %1</source>
        <translation>Version: %1</translation>
    </message>
    <message>
        <source>切换到%1</source>
        <translation>Switched to %1</translation>
    </message>
    <message>
        <source>图片文件: %1</source>
        <translation>Image file: %1</translation>
    </message>
    <message>
        <source>文件已更新: %1</source>
        <translation>File updated: %1</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>请先选择要收藏的项目</source>
        <translation>Select an item to add to favorites first</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>无法获取项目信息</source>
        <translation>Could not read the item</translation>
    </message>
    <message>
        <source>该项目已在收藏列表中</source>
        <translation>This item is already in your favorites</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>Success</translation>
    </message>
    <message>
        <source>已将 &quot;%1&quot; 添加到收藏</source>
        <translation>Added &quot;%1&quot; to favorites</translation>
    </message>
    <message>
        <source>已添加到收藏: %1</source>
        <translation>Added to favorites: %1</translation>
    </message>
    <message>
        <source>添加收藏失败</source>
        <translation>Could not add to favorites</translation>
    </message>
    <message>
        <source>AI提示词：
%1</source>
        <translation>AI prompt:
%1</translation>
    </message>
    <message>
        <source>已生成AI提示词，已复制到剪贴板</source>
        <translation>AI prompt generated and copied to the clipboard</translation>
    </message>
    <message>
        <source>已切换到最新资讯</source>
        <translation>Showing the latest news</translation>
    </message>
    <message>
        <source>在线资讯功能暂未启用</source>
        <translation>The online news feed is not enabled</translation>
    </message>
    <message>
        <source>软件分类 - %1</source>
        <translation>Software Category - %1</translation>
    </message>
    <message>
        <source>已选择分类: %1 (包含 %2 个软件)</source>
        <translation>Category selected: %1 (%2 software products)</translation>
    </message>
    <message>
        <source>核心技术 - %1</source>
        <translation>Core Technologies - %1</translation>
    </message>
    <message>
        <source>已加载类别: %1</source>
        <translation>Category loaded: %1</translation>
    </message>
    <message>
        <source>公司企业</source>
        <translation>Companies</translation>
    </message>
    <message>
        <source>已选择分类: 公司企业 (包含 %1 家公司)</source>
        <translation>Category selected: Companies (%1 companies)</translation>
    </message>
    <message>
        <source>图片资源</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>已选择分类: 图片资源 (包含 %1 张图片)</source>
        <translation>Category selected: Images (%1 images)</translation>
    </message>
    <message>
        <source>请选择具体学科领域</source>
        <translation>Choose a discipline</translation>
    </message>
    <message>
        <source>未找到对应学科配置</source>
        <translation>No settings found for this discipline</translation>
    </message>
    <message>
        <source>学科领域 - %1</source>
        <translation>Disciplines - %1</translation>
    </message>
    <message>
        <source>学科领域：%1</source>
        <translation>Discipline: %1</translation>
    </message>
    <message>
        <source>Markdown 笔记：%1</source>
        <translation>Markdown notes: %1</translation>
    </message>
    <message>
        <source>已选择学科领域: %1</source>
        <translation>Discipline selected: %1</translation>
    </message>
    <message>
        <source>资讯更新完成（%1 条）</source>
        <translation>News updated (%1 items)</translation>
    </message>
    <message>
        <source>已加载缓存资讯（%1 条）</source>
        <translation>Cached news loaded (%1 items)</translation>
    </message>
    <message>
        <source>已加载本地缓存资讯，共 %1 条</source>
        <translation>Loaded %1 cached news items</translation>
    </message>
    <message>
        <source>最新资讯已同步，共 %1 条</source>
        <translation>Latest news synchronized: %1 items</translation>
    </message>
    <message>
        <source>刷新资讯失败：%1</source>
        <translation>Could not refresh the news: %1</translation>
    </message>
    <message>
        <source>刷新资讯失败: %1</source>
        <translation>Could not refresh the news: %1</translation>
    </message>
    <message>
        <source>显示本地示例资讯（离线数据）</source>
        <translation>Showing local sample news (offline data)</translation>
    </message>
    <message>
        <source>加载本地示例资讯 %1 条</source>
        <translation>Loaded %1 local sample news items</translation>
    </message>
    <message>
        <source>Quorvanta v%1

用于管理和展示工业软件相关知识的专业工具
支持CAD/CAE/CFD/EDA等领域的软件信息管理

反馈邮件: %2</source>
        <translation>Quorvanta v%1

A professional tool for managing and presenting knowledge about industrial software
Covers software for CAD, CAE, CFD, EDA and related fields

Feedback: %2</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>界面语言将在下次启动 Quorvanta 时切换。</source>
        <translation>The interface language changes the next time Quorvanta starts.</translation>
    </message>
    <message numerus="yes">
        <source>找到 %n 个结果</source>
        <translation>
            <numerusform>%n result found</numerusform>
            <numerusform>%n results found</numerusform>
        </translation>
    </message>
    <message>
        <source>主题(&amp;T)</source>
        <translation>&amp;Theme</translation>
    </message>
    <message>
        <source>对比(&amp;C)</source>
        <translation>&amp;Compare</translation>
    </message>
</context>
<context>
    <name>MarkdownEditor</name>
    <message>
        <source># 开始编写...

</source>
        <translation># Start writing...

</translation>
    </message>
</context>
<context>
    <name>MarkdownGenerator</name>
    <message>
        <source>## 概述

%1

</source>
        <translation>## Overview

%1

</translation>
    </message>
    <message>
        <source>## 技术规格

</source>
        <translation>## Technical Data

</translation>
    </message>
    <message>
        <source>### 几何内核
</source>
        <translation>### Geometry Kernel
</translation>
    </message>
    <message>
        <source>## 功能特性

</source>
        <translation>## Features

</translation>
    </message>
    <message>
        <source>### 核心功能
</source>
        <translation>### Core Features
</translation>
    </message>
    <message>
        <source>
## 相关链接

</source>
        <translation>
## Links

</translation>
    </message>
    <message>
        <source>- [官方网站](%1)
</source>
        <translation>- [Official website](%1)
</translation>
    </message>
    <message>
        <source>- [文档](%1)
</source>
        <translation>- [Documentation](%1)
</translation>
    </message>
</context>
<context>
    <name>NavigationTree</name>
    <message>
        <source>知识库导航</source>
        <translation>Knowledge Base</translation>
    </message>
    <message>
        <source>请详细解释以下内容，不要编造未提供的信息，直接给出完整说明（建议 200-300 字）。如需列举关键点，请给出 3 条：
%1</source>
        <translation>Explain the following in detail without inventing anything that is not given, and answer with a complete explanation (about 150-250 words). If you list key points, give three:
%1</translation>
    </message>
    <message>
        <source>最新资讯</source>
        <translation>Latest News</translation>
    </message>
    <message>
        <source>工业软件</source>
        <translation>Industrial Software</translation>
    </message>
    <message>
        <source>公司企业</source>
        <translation>Companies</translation>
    </message>
    <message>
        <source>核心技术</source>
        <translation>Core Technologies</translation>
    </message>
    <message>
        <source>学科领域</source>
        <translation>Disciplines</translation>
    </message>
    <message>
        <source>图片资源</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>添加新项</source>
        <translation>Add New Item</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>生成AI提示词</source>
        <translation>Generate AI Prompt</translation>
    </message>
    <message>
        <source>将在分类 &apos;%1&apos; 下添加新项</source>
        <translation>A new item will be added under the category &apos;%1&apos;</translation>
    </message>
    <message>
        <source>无法删除</source>
        <translation>Cannot Delete</translation>
    </message>
    <message>
        <source>&apos;%1&apos; 是程序内置的条目，没有可删除的文件。</source>
        <translation>&apos;%1&apos; is built into the program; there is no file to delete.</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>File Not Found</translation>
    </message>
    <message>
        <source>删除失败</source>
        <translation>Delete Failed</translation>
    </message>
    <message>
        <source>无法删除文件: %1
%2</source>
        <translation>Could not delete the file: %1
%2</translation>
    </message>
    <message>
        <source>删除成功</source>
        <translation>Deleted</translation>
    </message>
    <message>
        <source>文件已删除</source>
        <translation>The file was deleted</translation>
    </message>
    <message>
        <source>文件已删除: %1
程序内置的同一条目仍会显示。</source>
        <translation>The file was deleted: %1
The same entry built into the program is still shown.</translation>
    </message>
    <message>
        <source>确认删除</source>
        <translation>Confirm Deletion</translation>
    </message>
    <message>
        <source>确定要删除 &apos;%1&apos; 吗？</source>
        <translation>Delete &apos;%1&apos;?</translation>
    </message>
    <message>
        <source>加入对比</source>
        <translation>Add to Compare</translation>
    </message>
</context>
<context>
    <name>NewsGridWidget</name>
    <message>
        <source>最新资讯</source>
        <translation>Latest News</translation>
    </message>
    <message>
        <source>搜索标题或摘要...</source>
        <translation>Search titles or summaries...</translation>
    </message>
    <message>
        <source>分类</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>标签</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>关键词</source>
        <translation>Keywords</translation>
    </message>
    <message>
        <source>正在等待数据...</source>
        <translation>Waiting for data...</translation>
    </message>
    <message>
        <source>同步于 %1</source>
        <translation>Synchronized %1</translation>
    </message>
    <message>
        <source>同步时间未知</source>
        <translation>Last synchronization unknown</translation>
    </message>
    <message>
        <source>暂无资讯，请稍后重试。</source>
        <translation>No news yet; please try again later.</translation>
    </message>
    <message>
        <source>共 %1 条资讯</source>
        <translation>News items: %1</translation>
    </message>
    <message>
        <source>正在刷新最新资讯...</source>
        <translation>Refreshing the latest news...</translation>
    </message>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <source>显示 %1 条资讯</source>
        <translation>News items shown: %1</translation>
    </message>
    <message>
        <source>没有符合筛选条件的资讯</source>
        <translation>No news matches the filters</translation>
    </message>
    <message>
        <source>查看详情</source>
        <translation>Read More</translation>
    </message>
    <message>
        <source>无封面</source>
        <translation>No cover</translation>
    </message>
    <message>
        <source>加载封面...</source>
        <translation>Loading cover...</translation>
    </message>
    <message>
        <source>封面加载失败</source>
        <translation>Could not load the cover</translation>
    </message>
</context>
<context>
    <name>NewsSyncService</name>
    <message>
        <source>资讯服务地址无效</source>
        <translation>The news service address is invalid</translation>
    </message>
    <message>
        <source>资讯服务返回数据过大</source>
        <translation>The news service sent too much data</translation>
    </message>
    <message>
        <source>资讯请求超时</source>
        <translation>The news request timed out</translation>
    </message>
    <message>
        <source>资讯服务返回无效数据</source>
        <translation>The news service sent invalid data</translation>
    </message>
</context>
<context>
    <name>NoteEditor</name>
    <message>
        <source>工具栏:</source>
        <translation>Tools:</translation>
    </message>
    <message>
        <source>高亮</source>
        <translation>Highlight</translation>
    </message>
    <message>
        <source>为选中文本添加高亮标记</source>
        <translation>Highlight the selected text</translation>
    </message>
    <message>
        <source>注释</source>
        <translation>Annotate</translation>
    </message>
    <message>
        <source>为选中文本添加注释</source>
        <translation>Add a note to the selected text</translation>
    </message>
    <message>
        <source>颜色</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>选择高亮颜色</source>
        <translation>Choose the highlight color</translation>
    </message>
    <message>
        <source>新建笔记</source>
        <translation>New Note</translation>
    </message>
    <message>
        <source>创建新笔记</source>
        <translation>Create a new note</translation>
    </message>
    <message>
        <source>搜索笔记</source>
        <translation>Search Notes</translation>
    </message>
    <message>
        <source>输入关键词搜索笔记...</source>
        <translation>Type keywords to search notes...</translation>
    </message>
    <message>
        <source>笔记列表</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>分类</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>创建时间</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>笔记编辑</source>
        <translation>Edit Note</translation>
    </message>
    <message>
        <source>标题:</source>
        <translation>Title:</translation>
    </message>
    <message>
        <source>分类:</source>
        <translation>Category:</translation>
    </message>
    <message>
        <source>内容:</source>
        <translation>Content:</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>高亮: %1</source>
        <translation>Highlight: %1</translation>
    </message>
    <message>
        <source>高亮标记</source>
        <translation>Highlight</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>高亮未能保存：%1</source>
        <translation>The highlight could not be saved: %1</translation>
    </message>
    <message>
        <source>注释: %1</source>
        <translation>Note: %1</translation>
    </message>
    <message>
        <source>无法保存笔记：缺少笔记管理器</source>
        <translation>Cannot save the note: no note store is available</translation>
    </message>
    <message>
        <source>请输入笔记标题</source>
        <translation>Enter a title for the note</translation>
    </message>
    <message>
        <source>笔记保存失败：%1</source>
        <translation>The note could not be saved: %1</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>笔记保存成功</source>
        <translation>Note saved</translation>
    </message>
    <message>
        <source>确认删除</source>
        <translation>Confirm Deletion</translation>
    </message>
    <message>
        <source>确定要删除这条笔记吗？</source>
        <translation>Delete this note?</translation>
    </message>
    <message>
        <source>笔记删除失败：%1</source>
        <translation>The note could not be deleted: %1</translation>
    </message>
    <message>
        <source>这条笔记已不存在</source>
        <translation>This note no longer exists</translation>
    </message>
</context>
<context>
    <name>NoteManager</name>
    <message>
        <source>无法写入笔记文件: %1
原因: %2</source>
        <translation>Could not write the notes file: %1
Reason: %2</translation>
    </message>
    <message>
        <source>%1（位置 %2）</source>
        <translation>%1 (at position %2)</translation>
    </message>
    <message>
        <source>“categories” 不是数组</source>
        <translation>“categories” is not an array</translation>
    </message>
    <message>
        <source>“categories” 中有不是文字的分类</source>
        <translation>“categories” holds categories that are not text</translation>
    </message>
    <message>
        <source>“notes” 不是数组</source>
        <translation>“notes” is not an array</translation>
    </message>
    <message>
        <source>笔记 id “%1” 出现了不止一次，只保留了最后一条</source>
        <translation>The note id “%1” occurs more than once; only the last one was kept</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>查看模式</source>
        <translation>Reading View</translation>
    </message>
    <message>
        <source>表单编辑</source>
        <translation>Form Editor</translation>
    </message>
    <message>
        <source>Markdown编辑</source>
        <translation>Markdown Editor</translation>
    </message>
    <message>
        <source>表格编辑</source>
        <translation>Table Editor</translation>
    </message>
    <message>
        <source>图谱视图</source>
        <translation>Graph View</translation>
    </message>
    <message>
        <source>笔记编辑</source>
        <translation>Note Editor</translation>
    </message>
</context>
<context>
    <name>QuickSwitcher</name>
    <message>
        <source>输入名称，快速打开软件、公司、技术、文章...</source>
        <translation>Type a name to open software, companies, technologies, articles...</translation>
    </message>
    <message>
        <source>快速切换...</source>
        <translation>Quick Switcher...</translation>
    </message>
    <message>
        <source>↑↓ 选择&#x3000;Enter 打开&#x3000;Esc 关闭</source>
        <translation>↑↓ select&#x2003;Enter open&#x2003;Esc close</translation>
    </message>
    <message>
        <source>没有匹配的条目</source>
        <translation>No matching entries</translation>
    </message>
    <message>
        <source>%1 个匹配&#x3000;↑↓ 选择&#x3000;Enter 打开&#x3000;Esc 关闭</source>
        <translation>Matches: %1&#x2003;↑↓ select&#x2003;Enter open&#x2003;Esc close</translation>
    </message>
</context>
<context>
    <name>QuickSwitcherModel</name>
    <message>
        <source>%1 软件</source>
        <translation>%1 software</translation>
    </message>
    <message>
        <source>软件分类</source>
        <translation>Software category</translation>
    </message>
    <message>
        <source>公司</source>
        <translation>Company</translation>
    </message>
    <message>
        <source>公司企业</source>
        <translation>Companies</translation>
    </message>
    <message>
        <source>分类</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>核心技术 · %1</source>
        <translation>Core Technologies · %1</translation>
    </message>
    <message>
        <source>技术分类</source>
        <translation>Technology category</translation>
    </message>
    <message>
        <source>核心技术</source>
        <translation>Core Technologies</translation>
    </message>
    <message>
        <source>学科领域</source>
        <translation>Disciplines</translation>
    </message>
    <message>
        <source>学科资料</source>
        <translation>Discipline material</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>图片资源</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>文章 · %1</source>
        <translation>Article · %1</translation>
    </message>
</context>
<context>
    <name>RelativeTime</name>
    <message>
        <source>刚刚</source>
        <translation>just now</translation>
    </message>
    <message numerus="yes">
        <source>%n分钟前</source>
        <translation>
            <numerusform>%n minute ago</numerusform>
            <numerusform>%n minutes ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n小时前</source>
        <translation>
            <numerusform>%n hour ago</numerusform>
            <numerusform>%n hours ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n天前</source>
        <translation>
            <numerusform>%n day ago</numerusform>
            <numerusform>%n days ago</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SearchDialog</name>
    <message>
        <source>高级搜索</source>
        <translation>Advanced Search</translation>
    </message>
    <message>
        <source>请输入搜索关键词...</source>
        <translation>Enter search keywords...</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>构建索引</source>
        <translation>Build Index</translation>
    </message>
    <message>
        <source>高级选项</source>
        <translation>More Options</translation>
    </message>
    <message>
        <source>搜索:</source>
        <translation>Search:</translation>
    </message>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <source>JSON数据</source>
        <translation>JSON data</translation>
    </message>
    <message>
        <source>Markdown文档</source>
        <translation>Markdown documents</translation>
    </message>
    <message>
        <source>模糊匹配</source>
        <translation>Fuzzy</translation>
    </message>
    <message>
        <source>精确匹配</source>
        <translation>Exact</translation>
    </message>
    <message>
        <source>正则表达式</source>
        <translation>Regular expression</translation>
    </message>
    <message>
        <source>语义匹配</source>
        <translation>Semantic</translation>
    </message>
    <message>
        <source>全文搜索</source>
        <translation>Full text</translation>
    </message>
    <message>
        <source>仅标题</source>
        <translation>Titles only</translation>
    </message>
    <message>
        <source>仅内容</source>
        <translation>Content only</translation>
    </message>
    <message>
        <source>仅标题标签</source>
        <translation>Titles and tags only</translation>
    </message>
    <message>
        <source>全部分类</source>
        <translation>All categories</translation>
    </message>
    <message>
        <source>区分大小写</source>
        <translation>Match case</translation>
    </message>
    <message>
        <source>搜索类型:</source>
        <translation>Search in:</translation>
    </message>
    <message>
        <source>匹配模式:</source>
        <translation>Matching:</translation>
    </message>
    <message>
        <source>搜索范围:</source>
        <translation>Scope:</translation>
    </message>
    <message>
        <source>分类:</source>
        <translation>Category:</translation>
    </message>
    <message>
        <source>最大结果数:</source>
        <translation>Maximum results:</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>分类</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>描述</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>相关度</source>
        <translation>Relevance</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>文件名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>摘要</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>准备就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>导出结果</source>
        <translation>Export Results</translation>
    </message>
    <message>
        <source>正在搜索: %1</source>
        <translation>Searching: %1</translation>
    </message>
    <message>
        <source>正在构建索引...</source>
        <translation>Building the index...</translation>
    </message>
    <message>
        <source>索引构建完成</source>
        <translation>Index built</translation>
    </message>
    <message>
        <source>无法构建索引: 目录不存在: %1</source>
        <translation>Cannot build the index: the folder does not exist: %1</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>请输入搜索关键词</source>
        <translation>Enter search keywords</translation>
    </message>
    <message>
        <source>请先构建Markdown文档索引</source>
        <translation>Build the Markdown document index first</translation>
    </message>
    <message>
        <source>JSON数据 (%1)</source>
        <translation>JSON data (%1)</translation>
    </message>
    <message>
        <source>标题: %1
文件: %2
分类: %3
路径: %4
相关度: %5

摘要:
%6</source>
        <translation>Title: %1
File: %2
Category: %3
Path: %4
Relevance: %5

Summary:
%6</translation>
    </message>
    <message>
        <source>

匹配行:
</source>
        <translation>

Matching lines:
</translation>
    </message>
    <message>
        <source>Markdown文档 (%1)</source>
        <translation>Markdown documents (%1)</translation>
    </message>
    <message>
        <source> (JSON: %1, Markdown: %2)</source>
        <translation> (JSON: %1, Markdown: %2)</translation>
    </message>
    <message>
        <source>无法构建索引: 未设置文档目录</source>
        <translation>Cannot build the index: no document folder is set</translation>
    </message>
    <message>
        <source>搜索结果导出 - %1
</source>
        <translation>Search results exported - %1
</translation>
    </message>
    <message>
        <source>搜索关键词: %1
</source>
        <translation>Search keywords: %1
</translation>
    </message>
    <message>
        <source>JSON数据结果:
</source>
        <translation>JSON data results:
</translation>
    </message>
    <message>
        <source>名称: %1
</source>
        <translation>Name: %1
</translation>
    </message>
    <message>
        <source>类型: %1
</source>
        <translation>Type: %1
</translation>
    </message>
    <message>
        <source>描述: %1
</source>
        <translation>Description: %1
</translation>
    </message>
    <message>
        <source>Markdown文档结果:
</source>
        <translation>Markdown document results:
</translation>
    </message>
    <message>
        <source>标题: %1
</source>
        <translation>Title: %1
</translation>
    </message>
    <message>
        <source>文件: %1
</source>
        <translation>File: %1
</translation>
    </message>
    <message>
        <source>分类: %1
</source>
        <translation>Category: %1
</translation>
    </message>
    <message>
        <source>路径: %1
</source>
        <translation>Path: %1
</translation>
    </message>
    <message>
        <source>摘要: %1
</source>
        <translation>Summary: %1
</translation>
    </message>
    <message>
        <source>相关度: %1
</source>
        <translation>Relevance: %1
</translation>
    </message>
    <message>
        <source>导出搜索结果</source>
        <translation>Export Search Results</translation>
    </message>
    <message>
        <source>文本文件 (*.txt);;CSV文件 (*.csv)</source>
        <translation>Text files (*.txt);;CSV files (*.csv)</translation>
    </message>
    <message>
        <source>导出失败</source>
        <translation>Export Failed</translation>
    </message>
    <message>
        <source>无法创建导出文件</source>
        <translation>Could not create the export file</translation>
    </message>
    <message>
        <source>导出完成</source>
        <translation>Export Complete</translation>
    </message>
    <message>
        <source>搜索结果已导出到: %1</source>
        <translation>Search results exported to: %1</translation>
    </message>
    <message>
        <source>收起选项</source>
        <translation>Fewer Options</translation>
    </message>
    <message numerus="yes">
        <source>找到 %n 个结果</source>
        <translation>
            <numerusform>%n result found</numerusform>
            <numerusform>%n results found</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StoreFileLock</name>
    <message>
        <source>另一个正在运行的程序占用了锁文件 %1</source>
        <translation>Another running program holds the lock file %1</translation>
    </message>
    <message>
        <source>没有权限创建锁文件 %1</source>
        <translation>No permission to create the lock file %1</translation>
    </message>
    <message>
        <source>无法创建锁文件 %1</source>
        <translation>Could not create the lock file %1</translation>
    </message>
</context>
<context>
    <name>TableEditor</name>
    <message>
        <source>列%1</source>
        <translation>Column %1</translation>
    </message>
    <message>
        <source>添加行</source>
        <translation>Add Row</translation>
    </message>
    <message>
        <source>删除行</source>
        <translation>Delete Row</translation>
    </message>
    <message>
        <source>添加列</source>
        <translation>Add Column</translation>
    </message>
    <message>
        <source>删除列</source>
        <translation>Delete Column</translation>
    </message>
    <message>
        <source>导入CSV</source>
        <translation>Import CSV</translation>
    </message>
    <message>
        <source>导出CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>表格过大，无法导入：最多允许 %1 列、%2 个单元格</source>
        <translation>The table is too large to import: at most %1 columns and %2 cells are allowed</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>无法创建文件</source>
        <translation>Could not create the file</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>Success</translation>
    </message>
    <message>
        <source>数据已导出到CSV文件</source>
        <translation>Data exported to the CSV file</translation>
    </message>
    <message>
        <source>无法打开文件</source>
        <translation>Could not open the file</translation>
    </message>
    <message>
        <source>导入CSV文件</source>
        <translation>Import CSV File</translation>
    </message>
    <message>
        <source>CSV文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>导出CSV文件</source>
        <translation>Export CSV File</translation>
    </message>
</context>
<context>
    <name>ThemeManager</name>
    <message>
        <source>跟随系统</source>
        <translation>Follow System</translation>
    </message>
    <message>
        <source>浅色</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>深色</source>
        <translation>Dark</translation>
    </message>
</context>
<context>
    <name>UpdateService</name>
    <message>
        <source>更新服务地址无效</source>
        <translation>The update service address is invalid</translation>
    </message>
    <message>
        <source>更新服务返回数据过大</source>
        <translation>The update service sent too much data</translation>
    </message>
    <message>
        <source>更新请求超时</source>
        <translation>The update request timed out</translation>
    </message>
    <message>
        <source>更新服务返回数据无效</source>
        <translation>The update service sent invalid data</translation>
    </message>
</context>
<context>
    <name>UpdateStatusText</name>
    <message>
        <source>尚未检查更新</source>
        <translation>Updates not checked yet</translation>
    </message>
    <message>
        <source>版本信息</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>版本 %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>已是最新版本 (%1)</source>
        <translation>Up to date (%1)</translation>
    </message>
    <message>
        <source>当前版本 %1 已是最新</source>
        <translation>Version %1 is the latest</translation>
    </message>
    <message>
        <source>发现新版本 %1</source>
        <translation>New version available: %1</translation>
    </message>
    <message>
        <source>当前版本: %1
最新版本: %2</source>
        <translation>Current version: %1
Latest version: %2</translation>
    </message>
    <message>
        <source>
更新内容: %1</source>
        <translation>
What is new: %1</translation>
    </message>
    <message>
        <source>
下载: %1</source>
        <translation>
Download: %1</translation>
    </message>
    <message>
        <source>发现新版本 %1，可访问下载地址: %2</source>
        <translation>New version %1 available; download it from: %2</translation>
    </message>
    <message>
        <source>检查更新失败: %1</source>
        <translation>Could not check for updates: %1</translation>
    </message>
</context>
<context>
    <name>UserPreferences</name>
    <message>
        <source>“%1” 不是数组</source>
        <translation>“%1” is not an array</translation>
    </message>
    <message>
        <source>“%1” 中有不是对象的条目</source>
        <translation>“%1” holds entries that are not objects</translation>
    </message>
    <message>
        <source>无法保存用户偏好文件: %1
原因: %2</source>
        <translation>Could not save the preferences file: %1
Reason: %2</translation>
    </message>
    <message>
        <source>系统没有提供用户数据目录，无法保存用户偏好</source>
        <translation>The system provides no folder for user data; preferences cannot be saved</translation>
    </message>
    <message>
        <source>无法从数据目录接管用户偏好文件: %1
原因: %2</source>
        <translation>Could not take over the preferences file from the data folder: %1
Reason: %2</translation>
    </message>
    <message>
        <source>无法创建数据目录: </source>
        <translation>Could not create the data folder: </translation>
    </message>
    <message>
        <source>无法读取用户偏好文件: </source>
        <translation>Could not read the preferences file: </translation>
    </message>
    <message>
        <source>用户偏好文件格式错误: </source>
        <translation>The preferences file is malformed: </translation>
    </message>
    <message>
        <source>“settings” 不是对象</source>
        <translation>“settings” is not an object</translation>
    </message>
    <message>
        <source>用户偏好文件部分损坏: </source>
        <translation>The preferences file is partly damaged: </translation>
    </message>
    <message>
        <source>用户偏好文件尚未设置</source>
        <translation>No preferences file has been set</translation>
    </message>
    <message>
        <source>无法保存用户偏好文件: </source>
        <translation>Could not save the preferences file: </translation>
    </message>
</context>
</TS>
