<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>lum</name>
    <message>
        <source>Please restart %1</source>
        <translation>請重新啟動 %1</translation>
    </message>
    <message>
        <source>Illegal File!</source>
        <translation>非法檔案！</translation>
    </message>
    <message>
        <source>Do you want to restore the LUM setting files %1 backuped at %2?</source>
        <translation>是否要從 %1 還原於 %2 備份的 LUM 設定檔？</translation>
    </message>
    <message>
        <source>Can not restore %1!</source>
        <translation>無法還原 %1！</translation>
    </message>
    <message>
        <source>Can not save file!
</source>
        <translation>無法儲存檔案！
</translation>
    </message>
    <message>
        <source>LUM Backup Files (*.bak)</source>
        <translation>LUM 備份檔 (*.bak)</translation>
    </message>
    <message>
        <source>Log Data</source>
        <translation>記錄資料</translation>
    </message>
    <message>
        <source>CF Device</source>
        <translation>CF 裝置</translation>
    </message>
    <message>
        <source>Playback Report</source>
        <translation>播放報告</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>另存新檔...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>刪除(&amp;D)</translation>
    </message>
    <message>
        <source>Success to save the log data to file</source>
        <translation>記錄資料已成功儲存至檔案</translation>
    </message>
    <message>
        <source>Can&apos;t create log file:
 </source>
        <translation>無法建立記錄檔：
 </translation>
    </message>
    <message>
        <source>Log files(*.log)</source>
        <translation>記錄檔(*.log)</translation>
    </message>
    <message>
        <source>Password does not match</source>
        <translation>密碼不符</translation>
    </message>
    <message>
        <source>Change Pasword</source>
        <translation>變更密碼</translation>
    </message>
    <message>
        <source>Old Password</source>
        <translation>舊密碼</translation>
    </message>
    <message>
        <source>New Password</source>
        <translation>新密碼</translation>
    </message>
    <message>
        <source>Confirm Password</source>
        <translation>確認密碼</translation>
    </message>
    <message>
        <source>Resume from Protect Mode</source>
        <translation>結束保護模式</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密碼</translation>
    </message>
    <message>
        <source>Can&apos;t write the settings file:
 %1</source>
        <translation>無法寫入設定檔：
 %1</translation>
    </message>
    <message>
        <source>LUM is ON already!</source>
        <translation>LUM 已在執行！</translation>
    </message>
    <message>
        <source>ICS Server is online</source>
        <translation>ICS 伺服器上線</translation>
    </message>
    <message>
        <source>ICS Server is offline</source>
        <translation>ICS 伺服器離線</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>Alive</source>
        <translation>上線</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>離線</translation>
    </message>
    <message>
        <source>No client is online and no client will be effected!</source>
        <translation>沒有用戶端上線，命令不會作用於任何用戶端！</translation>
    </message>
    <message>
        <source>The playlist file is not find!<byte value="xd"/> Please generate it in Playlist Commander.</source>
        <translation>找不到播放清單檔案！<byte value="xd"/> 請在 Playlist Commander 中產生。</translation>
    </message>
    <message>
        <source>User</source>
        <translation>使用者</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>群組</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>狀態</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 位址</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MAC 位址</translation>
    </message>
    <message>
        <source>Login Time</source>
        <translation>登入時間</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>播放清單</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>描述</translation>
    </message>
    <message>
        <source>Are you sure to reboot the players ?</source>
        <translation>確定要重新啟動播放器嗎？</translation>
    </message>
    <message>
        <source>Are you sure to format player&apos;s storage?</source>
        <translation>確定要格式化播放器的儲存空間嗎？</translation>
    </message>
    <message>
        <source>Account name can not be &apos;Blank&apos;</source>
        <translation>帳戶名稱不可空白</translation>
    </message>
    <message>
        <source>Group can not be &apos;Blank&apos;</source>
        <translation>群組不可空白</translation>
    </message>
    <message>
        <source>&apos;%1&apos;account name already existed,replace it?</source>
        <translation>帳戶名稱「%1」已存在，是否取代？</translation>
    </message>
    <message>
        <source>Please select a Auto playlist</source>
        <translation>請選擇自動播放清單</translation>
    </message>
    <message>
        <source>Home group can not be edited!</source>
        <translation>Home 群組不可編輯！</translation>
    </message>
    <message>
        <source>Group &apos;%1&apos; does not exist.</source>
        <translation>群組「%1」不存在。</translation>
    </message>
    <message>
        <source>Group name can not contain &apos;\&apos; or &apos;/&apos; and can not be &apos;.&apos; or &apos;..&apos;</source>
        <translation>群組名稱不可包含 &apos;\&apos; 或 &apos;/&apos;，也不可為 &apos;.&apos; 或 &apos;..&apos;</translation>
    </message>
    <message>
        <source>Group &apos;%1&apos; already exists.</source>
        <translation>群組「%1」已存在。</translation>
    </message>
    <message>
        <source>Failed to save the account list.</source>
        <translation>無法儲存帳戶清單。</translation>
    </message>
    <message>
        <source>Failed to create folder &apos;%1&apos;.</source>
        <translation>無法建立資料夾「%1」。</translation>
    </message>
    <message>
        <source>max 8 char</source>
        <translation>最多 8 個字元</translation>
    </message>
    <message>
        <source>max 4 char</source>
        <translation>最多 4 個字元</translation>
    </message>
    <message>
        <source>New Account...</source>
        <translation>新增帳戶...</translation>
    </message>
    <message>
        <source>Edit Group...</source>
        <translation>編輯群組...</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>刪除群組</translation>
    </message>
    <message>
        <source>Get Log file...</source>
        <translation>取得記錄檔...</translation>
    </message>
    <message>
        <source>There is no log file for %1.</source>
        <translation>%1 沒有記錄檔。</translation>
    </message>
    <message>
        <source>Are you sure to delete this group?</source>
        <translation>確定要刪除此群組嗎？</translation>
    </message>
    <message>
        <source>Playlist file:</source>
        <translation>播放清單檔案：</translation>
    </message>
    <message>
        <source>Account Management</source>
        <translation>帳戶管理</translation>
    </message>
    <message>
        <source>User Group</source>
        <translation>使用者群組</translation>
    </message>
    <message>
        <source>User Account</source>
        <translation>使用者帳戶</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編輯</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>啟用</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>停用</translation>
    </message>
    <message>
        <source>Please select a item</source>
        <translation>請選擇一個項目</translation>
    </message>
    <message>
        <source>Are you sure to delete group %1</source>
        <translation>確定要刪除群組 %1 嗎</translation>
    </message>
    <message>
        <source>Are you sure to delete  user account %1</source>
        <translation>確定要刪除使用者帳戶 %1 嗎</translation>
    </message>
    <message>
        <source>Fail to delete the item</source>
        <translation>刪除項目失敗</translation>
    </message>
    <message>
        <source>Auto playlist</source>
        <translation>自動播放清單</translation>
    </message>
    <message>
        <source>AutoPlay</source>
        <translation>自動播放</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>帳戶</translation>
    </message>
    <message>
        <source>Group Name</source>
        <translation>群組名稱</translation>
    </message>
    <message>
        <source>Account Name</source>
        <translation>帳戶名稱</translation>
    </message>
    <message>
        <source>Disable Account</source>
        <translation>停用帳戶</translation>
    </message>
    <message>
        <source>Playlist files (*.mpl)</source>
        <translation>播放清單檔案 (*.mpl)</translation>
    </message>
    <message>
        <source>Configuration of System</source>
        <translation>系統設定</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>伺服器</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>安全性</translation>
    </message>
    <message>
        <source>Startup</source>
        <translation>啟動</translation>
    </message>
    <message>
        <source>MAC</source>
        <translation>MAC</translation>
    </message>
    <message>
        <source>Server Port</source>
        <translation>伺服器連接埠</translation>
    </message>
    <message>
        <source>PASV Port Start</source>
        <translation>PASV 起始連接埠</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>範圍</translation>
    </message>
    <message>
        <source>Max. Users</source>
        <translation>最大使用者數</translation>
    </message>
    <message>
        <source>Check password when player login</source>
        <translation>播放器登入時檢查密碼</translation>
    </message>
    <message>
        <source>Local IP Address</source>
        <translation>本機 IP 位址</translation>
    </message>
    <message>
        <source>Note: LUM is required to be closed  for new port change</source>
        <translation>注意：連接埠變更需要關閉 LUM 後才會生效</translation>
    </message>
    <message>
        <source>IP List</source>
        <translation>IP 清單</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Do not use IP Filter</source>
        <translation>不使用 IP 篩選</translation>
    </message>
    <message>
        <source>Accept connections only from spcecified ip address</source>
        <translation>只接受來自指定 IP 位址的連線</translation>
    </message>
    <message>
        <source>Do not accept connections only from spcecified ip address</source>
        <translation>拒絕來自指定 IP 位址的連線</translation>
    </message>
    <message>
        <source>Launch Control Server at windows startup</source>
        <translation>Windows 啟動時執行控制伺服器</translation>
    </message>
    <message>
        <source>Startup minimized in systemtray</source>
        <translation>啟動時最小化至系統匣</translation>
    </message>
    <message>
        <source>Automatically activate server at startup</source>
        <translation>啟動時自動啟用伺服器</translation>
    </message>
    <message>
        <source>Application Language</source>
        <translation>應用程式語言</translation>
    </message>
    <message>
        <source>Log Level</source>
        <translation>記錄層級</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Chinese(Simplified)</source>
        <translation>簡體中文</translation>
    </message>
    <message>
        <source>Chinese(Traditional)</source>
        <translation>繁體中文</translation>
    </message>
    <message>
        <source>1 - Normal</source>
        <translation>1 - 一般</translation>
    </message>
    <message>
        <source>2 - Detail</source>
        <translation>2 - 詳細</translation>
    </message>
    <message>
        <source>Hand out MAC addresses to players</source>
        <translation>為播放器分配 MAC 位址</translation>
    </message>
    <message>
        <source>First MAC address</source>
        <translation>起始 MAC 位址</translation>
    </message>
    <message>
        <source>Number of addresses</source>
        <translation>位址數量</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an IP address (use * for a whole octet, e.g. 192.168.1.*)</source>
        <translation>「%1」不是 IP 位址（可用 * 代表整段，例如 192.168.1.*）</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a MAC address (XX-XX-XX-XX-XX-XX)</source>
        <translation>「%1」不是 MAC 位址（XX-XX-XX-XX-XX-XX）</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>檔案名稱</translation>
    </message>
    <message>
        <source>File/Directory</source>
        <translation>檔案/目錄</translation>
    </message>
    <message>
        <source>Size(Byte)</source>
        <translation>大小(位元組)</translation>
    </message>
    <message>
        <source>Seq.</source>
        <translation>序號</translation>
    </message>
    <message>
        <source>File Path</source>
        <translation>檔案路徑</translation>
    </message>
    <message>
        <source>Duration/Times</source>
        <translation>時長/次數</translation>
    </message>
    <message>
        <source>From hhmm</source>
        <translation>開始 hhmm</translation>
    </message>
    <message>
        <source>To hhmm</source>
        <translation>結束 hhmm</translation>
    </message>
    <message>
        <source>Times Played</source>
        <translation>播放次數</translation>
    </message>
</context>
<context>
    <name>lum::CAccountManagementDialog</name>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
</context>
<context>
    <name>lum::CMainFrame</name>
    <message>
        <source>Account</source>
        <translation>帳戶</translation>
    </message>
    <message>
        <source>&amp;Server</source>
        <translation>伺服器(&amp;S)</translation>
    </message>
    <message>
        <source>Start Control Server</source>
        <translation>啟動控制伺服器</translation>
    </message>
    <message>
        <source>Stop Control Server</source>
        <translation>停止控制伺服器</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>備份</translation>
    </message>
    <message>
        <source>Protect Mode</source>
        <translation>保護模式</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>還原</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>結束(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Account</source>
        <translation>帳戶(&amp;A)</translation>
    </message>
    <message>
        <source>Add/Edit Account...</source>
        <translation>新增/編輯帳戶...</translation>
    </message>
    <message>
        <source>New Group</source>
        <translation>新增群組</translation>
    </message>
    <message>
        <source>New User</source>
        <translation>新增使用者</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>刪除群組</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>靜音</translation>
    </message>
    <message>
        <source>Volume%1</source>
        <translation>音量%1</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>視訊</translation>
    </message>
    <message>
        <source>Turn on video output</source>
        <translation>開啟視訊輸出</translation>
    </message>
    <message>
        <source>Turn off video output</source>
        <translation>關閉視訊輸出</translation>
    </message>
    <message>
        <source>Start Playback</source>
        <translation>開始播放</translation>
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
        <translation>啟動</translation>
    </message>
    <message>
        <source>Reboot Client</source>
        <translation>重新啟動播放器</translation>
    </message>
    <message>
        <source>Format Storage</source>
        <translation>格式化儲存</translation>
    </message>
    <message>
        <source>Stop Scrolling (MSG Off)</source>
        <translation>停止捲動 (關閉訊息)</translation>
    </message>
    <message>
        <source>MSG Off</source>
        <translation>關閉訊息</translation>
    </message>
    <message>
        <source>Get Group Status</source>
        <translation>讀取群組狀態</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>選項</translation>
    </message>
    <message>
        <source>Read Current Status</source>
        <translation>讀取目前狀態</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>狀態</translation>
    </message>
    <message>
        <source>Read CF Capacity</source>
        <translation>讀取CF容量</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>屬性</translation>
    </message>
    <message>
        <source>Read CF Files</source>
        <translation>讀取CF檔案</translation>
    </message>
    <message>
        <source>CF Data</source>
        <translation>CF資料</translation>
    </message>
    <message>
        <source>Read CF Playlist</source>
        <translation>讀取CF播放清單</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>播放清單</translation>
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
        <translation>系統設定</translation>
    </message>
    <message>
        <source>Change Password</source>
        <translation>變更密碼</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>檢視(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>工具列(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Statusbar</source>
        <translation>狀態列(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;LogWindow</source>
        <translation>記錄視窗(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>語言(&amp;L)</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>工具列</translation>
    </message>
    <message>
        <source>Start RSS Feeds</source>
        <translation>啟動 RSS 訂閱</translation>
    </message>
    <message>
        <source>RSS</source>
        <translation>RSS</translation>
    </message>
</context>
</TS>
