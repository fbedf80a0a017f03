<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>lum</name>
    <message>
        <source>Please restart %1</source>
        <translation>请重新启动 %1</translation>
    </message>
    <message>
        <source>Illegal File!</source>
        <translation>非法文件！</translation>
    </message>
    <message>
        <source>Do you want to restore the LUM setting files %1 backuped at %2?</source>
        <translation>是否要从 %1 恢复于 %2 备份的 LUM 设置文件？</translation>
    </message>
    <message>
        <source>Can not restore %1!</source>
        <translation>无法恢复 %1！</translation>
    </message>
    <message>
        <source>Can not save file!
</source>
        <translation>无法保存文件！
</translation>
    </message>
    <message>
        <source>LUM Backup Files (*.bak)</source>
        <translation>LUM 备份文件 (*.bak)</translation>
    </message>
    <message>
        <source>Log Data</source>
        <translation>日志数据</translation>
    </message>
    <message>
        <source>CF Device</source>
        <translation>CF 设备</translation>
    </message>
    <message>
        <source>Playback Report</source>
        <translation>播放报告</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>另存为...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>删除(&amp;D)</translation>
    </message>
    <message>
        <source>Success to save the log data to file</source>
        <translation>日志数据已成功保存到文件</translation>
    </message>
    <message>
        <source>Can&apos;t create log file:
 </source>
        <translation>无法创建日志文件：
 </translation>
    </message>
    <message>
        <source>Log files(*.log)</source>
        <translation>日志文件(*.log)</translation>
    </message>
    <message>
        <source>Password does not match</source>
        <translation>密码不匹配</translation>
    </message>
    <message>
        <source>Change Pasword</source>
        <translation>修改密码</translation>
    </message>
    <message>
        <source>Old Password</source>
        <translation>旧密码</translation>
    </message>
    <message>
        <source>New Password</source>
        <translation>新密码</translation>
    </message>
    <message>
        <source>Confirm Password</source>
        <translation>确认密码</translation>
    </message>
    <message>
        <source>Resume from Protect Mode</source>
        <translation>退出保护模式</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Can&apos;t write the settings file:
 %1</source>
        <translation>无法写入设置文件：
 %1</translation>
    </message>
    <message>
        <source>LUM is ON already!</source>
        <translation>LUM 已在运行！</translation>
    </message>
    <message>
        <source>ICS Server is online</source>
        <translation>ICS 服务器在线</translation>
    </message>
    <message>
        <source>ICS Server is offline</source>
        <translation>ICS 服务器离线</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>Alive</source>
        <translation>在线</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>离线</translation>
    </message>
    <message>
        <source>No client is online and no client will be effected!</source>
        <translation>没有客户端在线，命令不会作用于任何客户端！</translation>
    </message>
    <message>
        <source>The playlist file is not find!<byte value="xd"/> Please generate it in Playlist Commander.</source>
        <translation>找不到播放列表文件！<byte value="xd"/> 请在 Playlist Commander 中生成。</translation>
    </message>
    <message>
        <source>User</source>
        <translation>用户</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>组</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MAC 地址</translation>
    </message>
    <message>
        <source>Login Time</source>
        <translation>登录时间</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>播放列表</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>描述</translation>
    </message>
    <message>
        <source>Are you sure to reboot the players ?</source>
        <translation>确定要重新启动播放器吗？</translation>
    </message>
    <message>
        <source>Are you sure to format player&apos;s storage?</source>
        <translation>确定要格式化播放器的存储吗？</translation>
    </message>
    <message>
        <source>Account name can not be &apos;Blank&apos;</source>
        <translation>账户名不能为空</translation>
    </message>
    <message>
        <source>Group can not be &apos;Blank&apos;</source>
        <translation>组不能为空</translation>
    </message>
    <message>
        <source>&apos;%1&apos;account name already existed,replace it?</source>
        <translation>账户名“%1”已存在，是否替换？</translation>
    </message>
    <message>
        <source>Please select a Auto playlist</source>
        <translation>请选择自动播放列表</translation>
    </message>
    <message>
        <source>Home group can not be edited!</source>
        <translation>Home 组不能编辑！</translation>
    </message>
    <message>
        <source>Group &apos;%1&apos; does not exist.</source>
        <translation>组“%1”不存在。</translation>
    </message>
    <message>
        <source>Group name can not contain &apos;\&apos; or &apos;/&apos; and can not be &apos;.&apos; or &apos;..&apos;</source>
        <translation>组名不能包含 &apos;\&apos; 或 &apos;/&apos;，也不能是 &apos;.&apos; 或 &apos;..&apos;</translation>
    </message>
    <message>
        <source>Group &apos;%1&apos; already exists.</source>
        <translation>组“%1”已存在。</translation>
    </message>
    <message>
        <source>Failed to save the account list.</source>
        <translation>无法保存账户列表。</translation>
    </message>
    <message>
        <source>Failed to create folder &apos;%1&apos;.</source>
        <translation>无法创建文件夹“%1”。</translation>
    </message>
    <message>
        <source>max 8 char</source>
        <translation>最多 8 个字符</translation>
    </message>
    <message>
        <source>max 4 char</source>
        <translation>最多 4 个字符</translation>
    </message>
    <message>
        <source>New Account...</source>
        <translation>新建账户...</translation>
    </message>
    <message>
        <source>Edit Group...</source>
        <translation>编辑组...</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>删除组</translation>
    </message>
    <message>
        <source>Get Log file...</source>
        <translation>获取日志文件...</translation>
    </message>
    <message>
        <source>There is no log file for %1.</source>
        <translation>%1 没有日志文件。</translation>
    </message>
    <message>
        <source>Are you sure to delete this group?</source>
        <translation>确定要删除此组吗？</translation>
    </message>
    <message>
        <source>Playlist file:</source>
        <translation>播放列表文件：</translation>
    </message>
    <message>
        <source>Account Management</source>
        <translation>账户管理</translation>
    </message>
    <message>
        <source>User Group</source>
        <translation>用户组</translation>
    </message>
    <message>
        <source>User Account</source>
        <translation>用户账户</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>Please select a item</source>
        <translation>请选择一个项目</translation>
    </message>
    <message>
        <source>Are you sure to delete group %1</source>
        <translation>确定要删除组 %1 吗</translation>
    </message>
    <message>
        <source>Are you sure to delete  user account %1</source>
        <translation>确定要删除用户账户 %1 吗</translation>
    </message>
    <message>
        <source>Fail to delete the item</source>
        <translation>删除项目失败</translation>
    </message>
    <message>
        <source>Auto playlist</source>
        <translation>自动播放列表</translation>
    </message>
    <message>
        <source>AutoPlay</source>
        <translation>自动播放</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>账户</translation>
    </message>
    <message>
        <source>Group Name</source>
        <translation>组名</translation>
    </message>
    <message>
        <source>Account Name</source>
        <translation>账户名</translation>
    </message>
    <message>
        <source>Disable Account</source>
        <translation>禁用账户</translation>
    </message>
    <message>
        <source>Playlist files (*.mpl)</source>
        <translation>播放列表文件 (*.mpl)</translation>
    </message>
    <message>
        <source>Configuration of System</source>
        <translation>系统配置</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>服务器</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>安全</translation>
    </message>
    <message>
        <source>Startup</source>
        <translation>启动</translation>
    </message>
    <message>
        <source>MAC</source>
        <translation>MAC</translation>
    </message>
    <message>
        <source>Server Port</source>
        <translation>服务器端口</translation>
    </message>
    <message>
        <source>PASV Port Start</source>
        <translation>PASV 起始端口</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>范围</translation>
    </message>
    <message>
        <source>Max. Users</source>
        <translation>最大用户数</translation>
    </message>
    <message>
        <source>Check password when player login</source>
        <translation>播放器登录时检查密码</translation>
    </message>
    <message>
        <source>Local IP Address</source>
        <translation>本机 IP 地址</translation>
    </message>
    <message>
        <source>Note: LUM is required to be closed  for new port change</source>
        <translation>注意：端口更改需要关闭 LUM 后才能生效</translation>
    </message>
    <message>
        <source>IP List</source>
        <translation>IP 列表</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Do not use IP Filter</source>
        <translation>不使用 IP 过滤</translation>
    </message>
    <message>
        <source>Accept connections only from spcecified ip address</source>
        <translation>只接受来自指定 IP 地址的连接</translation>
    </message>
    <message>
        <source>Do not accept connections only from spcecified ip address</source>
        <translation>拒绝来自指定 IP 地址的连接</translation>
    </message>
    <message>
        <source>Launch Control Server at windows startup</source>
        <translation>Windows 启动时运行控制服务器</translation>
    </message>
    <message>
        <source>Startup minimized in systemtray</source>
        <translation>启动时最小化到系统托盘</translation>
    </message>
    <message>
        <source>Automatically activate server at startup</source>
        <translation>启动时自动激活服务器</translation>
    </message>
    <message>
        <source>Application Language</source>
        <translation>应用程序语言</translation>
    </message>
    <message>
        <source>Log Level</source>
        <translation>日志级别</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Chinese(Simplified)</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <source>Chinese(Traditional)</source>
        <translation>繁体中文</translation>
    </message>
    <message>
        <source>1 - Normal</source>
        <translation>1 - 普通</translation>
    </message>
    <message>
        <source>2 - Detail</source>
        <translation>2 - 详细</translation>
    </message>
    <message>
        <source>Hand out MAC addresses to players</source>
        <translation>为播放器分配 MAC 地址</translation>
    </message>
    <message>
        <source>First MAC address</source>
        <translation>起始 MAC 地址</translation>
    </message>
    <message>
        <source>Number of addresses</source>
        <translation>地址数量</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an IP address (use * for a whole octet, e.g. 192.168.1.*)</source>
        <translation>“%1”不是 IP 地址（可用 * 代表整段，例如 192.168.1.*）</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a MAC address (XX-XX-XX-XX-XX-XX)</source>
        <translation>“%1”不是 MAC 地址（XX-XX-XX-XX-XX-XX）</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>文件名</translation>
    </message>
    <message>
        <source>File/Directory</source>
        <translation>文件/目录</translation>
    </message>
    <message>
        <source>Size(Byte)</source>
        <translation>大小(字节)</translation>
    </message>
    <message>
        <source>Seq.</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>File Path</source>
        <translation>文件路径</translation>
    </message>
    <message>
        <source>Duration/Times</source>
        <translation>时长/次数</translation>
    </message>
    <message>
        <source>From hhmm</source>
        <translation>开始 hhmm</translation>
    </message>
    <message>
        <source>To hhmm</source>
        <translation>结束 hhmm</translation>
    </message>
    <message>
        <source>Times Played</source>
        <translation>播放次数</translation>
    </message>
</context>
<context>
    <name>lum::CAccountManagementDialog</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>lum::CMainFrame</name>
    <message>
        <source>Account</source>
        <translation>账户</translation>
    </message>
    <message>
        <source>&amp;Server</source>
        <translation>服务器(&amp;S)</translation>
    </message>
    <message>
        <source>Start Control Server</source>
        <translation>启动控制服务器</translation>
    </message>
    <message>
        <source>Stop Control Server</source>
        <translation>停止控制服务器</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>Protect Mode</source>
        <translation>保护模式</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>恢复</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Account</source>
        <translation>账户(&amp;A)</translation>
    </message>
    <message>
        <source>Add/Edit Account...</source>
        <translation>添加/编辑账户...</translation>
    </message>
    <message>
        <source>New Group</source>
        <translation>新建组</translation>
    </message>
    <message>
        <source>New User</source>
        <translation>新建用户</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>删除组</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Volume%1</source>
        <translation>音量%1</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>视频</translation>
    </message>
    <message>
        <source>Turn on video output</source>
        <translation>打开视频输出</translation>
    </message>
    <message>
        <source>Turn off video output</source>
        <translation>关闭视频输出</translation>
    </message>
    <message>
        <source>Start Playback</source>
        <translation>开始播放</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Stop Action</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>启动</translation>
    </message>
    <message>
        <source>Reboot Client</source>
        <translation>重启播放器</translation>
    </message>
    <message>
        <source>Format Storage</source>
        <translation>格式化存储</translation>
    </message>
    <message>
        <source>Stop Scrolling (MSG Off)</source>
        <translation>停止滚动 (关闭消息)</translation>
    </message>
    <message>
        <source>MSG Off</source>
        <translation>关闭消息</translation>
    </message>
    <message>
        <source>Get Group Status</source>
        <translation>读取组状态</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>选项</translation>
    </message>
    <message>
        <source>Read Current Status</source>
        <translation>读取当前状态</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Read CF Capacity</source>
        <translation>读取CF容量</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>属性</translation>
    </message>
    <message>
        <source>Read CF Files</source>
        <translation>读取CF文件</translation>
    </message>
    <message>
        <source>CF Data</source>
        <translation>CF数据</translation>
    </message>
    <message>
        <source>Read CF Playlist</source>
        <translation>读取CF播放列表</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>播放列表</translation>
    </message>
    <message>
        <source>&amp;Control</source>
        <translation>控制(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>工具(&amp;T)</translation>
    </message>
    <message>
        <source>Configuration of System</source>
        <translation>系统配置</translation>
    </message>
    <message>
        <source>Change Password</source>
        <translation>更改密码</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>查看(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Statusbar</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;LogWindow</source>
        <translation>日志窗口(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>工具栏</translation>
    </message>
    <message>
        <source>Start RSS Feeds</source>
        <translation>启动 RSS 订阅</translation>
    </message>
    <message>
        <source>RSS</source>
        <translation>RSS</translation>
    </message>
</context>
</TS>
