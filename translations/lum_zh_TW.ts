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
    <message>
        <source>Register unknown player names in Home at login</source>
        <translation>登入時將未知的播放器名稱註冊到 Home 群組</translation>
    </message>
    <message>
        <source>Connections and new names per address</source>
        <translation>每個位址的連線數與新名稱數</translation>
    </message>
    <message>
        <source>Alerts</source>
        <translation>警示</translation>
    </message>
    <message>
        <source>Alert when a player stays offline longer than (minutes, 0 = never)</source>
        <translation>播放器離線超過此時間時發出警示（分鐘，0 = 永不）</translation>
    </message>
    <message>
        <source>Program to run for an alert</source>
        <translation>警示時執行的程式</translation>
    </message>
    <message>
        <source>The program gets the player&apos;s name, group, MAC address and last-seen time as four arguments; it runs without a shell and is stopped after 30 seconds.</source>
        <translation>程式以四個參數取得播放器的名稱、群組、MAC 位址和最後上線時間；它不經由 shell 執行，30 秒後會被停止。</translation>
    </message>
    <message>
        <source>Removable drives</source>
        <translation>卸除式磁碟機</translation>
    </message>
    <message>
        <source>No removable drive is mounted.</source>
        <translation>未掛載任何卸除式磁碟機。</translation>
    </message>
    <message>
        <source>Target folder</source>
        <translation>目標資料夾</translation>
    </message>
    <message>
        <source>Root of the drive</source>
        <translation>磁碟機根目錄</translation>
    </message>
    <message>
        <source>Copying File</source>
        <translation>正在複製檔案</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Copying failed; %1 was not written. Files not copied:</source>
        <translation>複製失敗；未寫入 %1。未複製的檔案：</translation>
    </message>
    <message>
        <source>Playlist Scheduler</source>
        <translation>播放清單排程</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>瀏覽...</translation>
    </message>
    <message>
        <source>Start date</source>
        <translation>開始日期</translation>
    </message>
    <message>
        <source>End date</source>
        <translation>結束日期</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>Assign to Group</source>
        <translation>指派給群組</translation>
    </message>
    <message>
        <source>Save to disc</source>
        <translation>儲存至磁碟</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>排程</translation>
    </message>
    <message>
        <source>Instant Message</source>
        <translation>即時訊息</translation>
    </message>
    <message>
        <source>B/G</source>
        <translation>背景</translation>
    </message>
    <message>
        <source>F/G</source>
        <translation>前景</translation>
    </message>
    <message>
        <source>Transparent</source>
        <translation>透明度</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>時鐘</translation>
    </message>
    <message>
        <source>Encoding</source>
        <translation>編碼</translation>
    </message>
    <message>
        <source>Message file</source>
        <translation>訊息檔案</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>訊息</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>瀏覽</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>傳送</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>結束</translation>
    </message>
    <message>
        <source>blue</source>
        <translation>藍色</translation>
    </message>
    <message>
        <source>gray</source>
        <translation>灰色</translation>
    </message>
    <message>
        <source>red</source>
        <translation>紅色</translation>
    </message>
    <message>
        <source>cyan</source>
        <translation>青色</translation>
    </message>
    <message>
        <source>green</source>
        <translation>綠色</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>黃色</translation>
    </message>
    <message>
        <source>magenta</source>
        <translation>洋紅色</translation>
    </message>
    <message>
        <source>orange</source>
        <translation>橙色</translation>
    </message>
    <message>
        <source>white</source>
        <translation>白色</translation>
    </message>
    <message>
        <source>black</source>
        <translation>黑色</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>快</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>一般</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>慢</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>On</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>On Screen Label Editor</source>
        <translation>螢幕標籤編輯器</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>行</translation>
    </message>
    <message>
        <source>Number only (000-999)</source>
        <translation>僅數字 (000-999)</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>數字</translation>
    </message>
    <message>
        <source>Center Alignment</source>
        <translation>置中對齊</translation>
    </message>
    <message>
        <source>Always On</source>
        <translation>持續顯示</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>分鐘</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>檔案(&amp;F)</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>另存新檔</translation>
    </message>
    <message>
        <source>User Name can not be &apos;Blank&apos;</source>
        <translation>使用者名稱不可空白</translation>
    </message>
    <message>
        <source>INVALD ILUM ID!</source>
        <translation>無效的 ILUM ID！</translation>
    </message>
    <message>
        <source>Update selected client&apos;s setup and reboot</source>
        <translation>更新所選播放器的設定並重新啟動</translation>
    </message>
    <message>
        <source>Please enter an integer between 0 and 65536.</source>
        <translation>請輸入 0 到 65536 之間的整數。</translation>
    </message>
    <message>
        <source>Pleae type in the ID that is generated by ILUM, e.g(001-001-0013)</source>
        <translation>請輸入由 ILUM 產生的 ID，例如(001-001-0013)</translation>
    </message>
    <message>
        <source>30 maximum character for SSID</source>
        <translation>SSID 最多 30 個字元</translation>
    </message>
    <message>
        <source>Client Setup Utility</source>
        <translation>播放器設定工具</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>開啟(&amp;O)</translation>
    </message>
    <message>
        <source>S&amp;ave as...</source>
        <translation>另存新檔(&amp;A)...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>結束(&amp;X)</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>播放器</translation>
    </message>
    <message>
        <source>Update Client==&gt;</source>
        <translation>更新播放器==&gt;</translation>
    </message>
    <message>
        <source>Update Group==&gt;</source>
        <translation>更新群組==&gt;</translation>
    </message>
    <message>
        <source>Update target</source>
        <translation>更新目標</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>目標</translation>
    </message>
    <message>
        <source>IP or Hostname</source>
        <translation>IP 或主機名稱</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>連接埠</translation>
    </message>
    <message>
        <source>User Name</source>
        <translation>使用者名稱</translation>
    </message>
    <message>
        <source>Hide Main Menu</source>
        <translation>隱藏主選單</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>網路</translation>
    </message>
    <message>
        <source>DHCP</source>
        <translation>DHCP</translation>
    </message>
    <message>
        <source>Static IP</source>
        <translation>靜態 IP</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>子網路遮罩</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>閘道</translation>
    </message>
    <message>
        <source>DNS Server</source>
        <translation>DNS 伺服器</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>時間</translation>
    </message>
    <message>
        <source>Time zone</source>
        <translation>時區</translation>
    </message>
    <message>
        <source>Daylight Saving</source>
        <translation>日光節約時間</translation>
    </message>
    <message>
        <source>Time Format</source>
        <translation>時間格式</translation>
    </message>
    <message>
        <source>Restart Time</source>
        <translation>重新啟動時間</translation>
    </message>
    <message>
        <source>Device On/OFF1</source>
        <translation>裝置開/關1</translation>
    </message>
    <message>
        <source>Device On/OFF2</source>
        <translation>裝置開/關2</translation>
    </message>
    <message>
        <source>Device On/OFF3</source>
        <translation>裝置開/關3</translation>
    </message>
    <message>
        <source>Device OFF mode</source>
        <translation>裝置關閉模式</translation>
    </message>
    <message>
        <source>Standby</source>
        <translation>待機</translation>
    </message>
    <message>
        <source>Sleep</source>
        <translation>睡眠</translation>
    </message>
    <message>
        <source>Restart hour</source>
        <translation>重新啟動小時</translation>
    </message>
    <message>
        <source>Restart minute</source>
        <translation>重新啟動分鐘</translation>
    </message>
    <message>
        <source>On hour</source>
        <translation>開啟小時</translation>
    </message>
    <message>
        <source>On minute</source>
        <translation>開啟分鐘</translation>
    </message>
    <message>
        <source>Off hour</source>
        <translation>關閉小時</translation>
    </message>
    <message>
        <source>Off minute</source>
        <translation>關閉分鐘</translation>
    </message>
    <message>
        <source>Start-up Mode</source>
        <translation>啟動模式</translation>
    </message>
    <message>
        <source>LUM</source>
        <translation>LUM</translation>
    </message>
    <message>
        <source>CF card</source>
        <translation>CF 卡</translation>
    </message>
    <message>
        <source>HTTP URL</source>
        <translation>HTTP URL</translation>
    </message>
    <message>
        <source>ILUM</source>
        <translation>ILUM</translation>
    </message>
    <message>
        <source>HTTP Pictavo</source>
        <translation>HTTP Pictavo</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>e.g(http://192.168.1.100/playlist.mpl)</source>
        <translation>例如(http://192.168.1.100/playlist.mpl)</translation>
    </message>
    <message>
        <source>ILUM ID</source>
        <translation>ILUM ID</translation>
    </message>
    <message>
        <source>ILUM ID part 1</source>
        <translation>ILUM ID 第 1 部分</translation>
    </message>
    <message>
        <source>ILUM ID part 2</source>
        <translation>ILUM ID 第 2 部分</translation>
    </message>
    <message>
        <source>ILUM ID part 3</source>
        <translation>ILUM ID 第 3 部分</translation>
    </message>
    <message>
        <source>Change ILUM ID</source>
        <translation>變更 ILUM ID</translation>
    </message>
    <message>
        <source>Video Output</source>
        <translation>視訊輸出</translation>
    </message>
    <message>
        <source>TV Mode</source>
        <translation>電視制式</translation>
    </message>
    <message>
        <source>TV Type</source>
        <translation>電視類型</translation>
    </message>
    <message>
        <source>HDMI</source>
        <translation>HDMI</translation>
    </message>
    <message>
        <source>Preference</source>
        <translation>偏好設定</translation>
    </message>
    <message>
        <source>Date Format</source>
        <translation>日期格式</translation>
    </message>
    <message>
        <source>File Repeat</source>
        <translation>檔案重複</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>資料夾</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>單一</translation>
    </message>
    <message>
        <source>Picture Rotate</source>
        <translation>圖片旋轉</translation>
    </message>
    <message>
        <source>Input Mode</source>
        <translation>輸入模式</translation>
    </message>
    <message>
        <source>Weather</source>
        <translation>天氣</translation>
    </message>
    <message>
        <source>City Code</source>
        <translation>城市代碼</translation>
    </message>
    <message>
        <source>Fahrenheit</source>
        <translation>華氏</translation>
    </message>
    <message>
        <source>Celsius</source>
        <translation>攝氏</translation>
    </message>
    <message>
        <source>WIFI NETWORK SETUP</source>
        <translation>WIFI 網路設定</translation>
    </message>
    <message>
        <source>WIFI&gt;&gt;</source>
        <translation>WIFI&gt;&gt;</translation>
    </message>
    <message>
        <source>SSID</source>
        <translation>SSID</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>加密</translation>
    </message>
    <message>
        <source>WEP Only</source>
        <translation>僅 WEP</translation>
    </message>
    <message>
        <source>Key Length</source>
        <translation>金鑰長度</translation>
    </message>
    <message>
        <source>WEP Key</source>
        <translation>WEP 金鑰</translation>
    </message>
    <message>
        <source>WPA Only</source>
        <translation>僅 WPA</translation>
    </message>
    <message>
        <source>Key Type</source>
        <translation>金鑰類型</translation>
    </message>
    <message>
        <source>WPA Key</source>
        <translation>WPA 金鑰</translation>
    </message>
    <message>
        <source>Can not connect to: %1</source>
        <translation>無法連線至：%1</translation>
    </message>
    <message>
        <source>RSS Message</source>
        <translation>RSS 訊息</translation>
    </message>
    <message>
        <source>Add New Feed</source>
        <translation>新增訂閱</translation>
    </message>
    <message>
        <source>RSS Settings</source>
        <translation>RSS 設定</translation>
    </message>
    <message>
        <source>Add Feed</source>
        <translation>新增訂閱</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>重新整理(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Property</source>
        <translation>屬性(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;RSS Settings</source>
        <translation>RSS 設定(&amp;R)</translation>
    </message>
    <message>
        <source>Groups and channels</source>
        <translation>群組與頻道</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>預覽</translation>
    </message>
    <message>
        <source>This console reads RSS 0.91, 1.0 and 2.0 feeds (of Atom feeds, the titles).</source>
        <translation>本控制台可讀取 RSS 0.91、1.0 和 2.0 訂閱（Atom 訂閱僅讀取標題）。</translation>
    </message>
    <message>
        <source>Refreshing %1 ...</source>
        <translation>正在重新整理 %1 ...</translation>
    </message>
    <message>
        <source>Refreshed %1</source>
        <translation>已重新整理 %1</translation>
    </message>
    <message>
        <source>Can not refresh %1: %2</source>
        <translation>無法重新整理 %1：%2</translation>
    </message>
    <message>
        <source>Connecting to %1 ...</source>
        <translation>正在連線至 %1 ...</translation>
    </message>
    <message>
        <source>Please enter URL of feed:</source>
        <translation>請輸入訂閱的 URL：</translation>
    </message>
    <message>
        <source>Feed Title:</source>
        <translation>訂閱標題：</translation>
    </message>
    <message>
        <source>Group:</source>
        <translation>群組：</translation>
    </message>
    <message>
        <source>Active:</source>
        <translation>啟用：</translation>
    </message>
    <message>
        <source>Detailed news</source>
        <translation>詳細新聞</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>連線</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Background Color</source>
        <translation>背景色彩</translation>
    </message>
    <message>
        <source>Foreground Color</source>
        <translation>前景色彩</translation>
    </message>
    <message>
        <source>Enable Auto RSS</source>
        <translation>啟用自動 RSS</translation>
    </message>
    <message>
        <source>Lead Characters</source>
        <translation>前導字元</translation>
    </message>
    <message>
        <source>Local Directory</source>
        <translation>本機目錄</translation>
    </message>
    <message>
        <source>Remote HTTP Server</source>
        <translation>遠端 HTTP 伺服器</translation>
    </message>
    <message>
        <source>Remote FTP Server</source>
        <translation>遠端 FTP 伺服器</translation>
    </message>
    <message>
        <source>File Type</source>
        <translation>檔案類型</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>資料夾</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>檔案</translation>
    </message>
    <message>
        <source>Player Files</source>
        <translation>播放器檔案</translation>
    </message>
    <message>
        <source>List the files stored on the player chosen in &quot;Select Group/Device&quot;</source>
        <translation>列出在「選擇群組/裝置」中所選播放器上儲存的檔案</translation>
    </message>
    <message>
        <source>Choose a player in &quot;Select Group/Device&quot; first.</source>
        <translation>請先在「選擇群組/裝置」中選擇一個播放器。</translation>
    </message>
    <message>
        <source>URL and Path</source>
        <translation>URL 與路徑</translation>
    </message>
    <message>
        <source>FTP Site</source>
        <translation>FTP 站台</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>屬性</translation>
    </message>
    <message>
        <source>Remote Folders</source>
        <translation>遠端資料夾</translation>
    </message>
    <message>
        <source>Remote Files</source>
        <translation>遠端檔案</translation>
    </message>
    <message>
        <source>Add the selected files</source>
        <translation>新增所選檔案</translation>
    </message>
    <message>
        <source>Add every file of the list</source>
        <translation>新增清單中的所有檔案</translation>
    </message>
    <message>
        <source>File</source>
        <translation>檔案</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Multi Zone</source>
        <translation>多區域</translation>
    </message>
    <message>
        <source>Imag Zone...</source>
        <translation>影像區域...</translation>
    </message>
    <message>
        <source>The image editor is not available</source>
        <translation>影像編輯器無法使用</translation>
    </message>
    <message>
        <source>FullScrn</source>
        <translation>全螢幕</translation>
    </message>
    <message>
        <source>Add TV-feed</source>
        <translation>新增電視訊號</translation>
    </message>
    <message>
        <source>Scroll.Text.Off</source>
        <translation>關閉捲動文字</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>Select Group/Device</source>
        <translation>選擇群組/裝置</translation>
    </message>
    <message>
        <source>EZ-Play</source>
        <translation>EZ-Play</translation>
    </message>
    <message>
        <source>Copy All...</source>
        <translation>全部複製...</translation>
    </message>
    <message>
        <source>Upload playlist</source>
        <translation>上傳播放清單</translation>
    </message>
    <message>
        <source>Copy All to Removable drive</source>
        <translation>全部複製到卸除式磁碟機</translation>
    </message>
    <message>
        <source>Playlist Settings</source>
        <translation>播放清單設定</translation>
    </message>
    <message>
        <source>Picture Play Time:</source>
        <translation>圖片播放時間：</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Use Global Transition</source>
        <translation>使用全域轉場效果</translation>
    </message>
    <message>
        <source>Delete Files:</source>
        <translation>刪除檔案：</translation>
    </message>
    <message>
        <source>Mute Sound</source>
        <translation>靜音</translation>
    </message>
    <message>
        <source>Download Schedule</source>
        <translation>排程下載</translation>
    </message>
    <message>
        <source>Hour</source>
        <translation>時</translation>
    </message>
    <message>
        <source>Minute</source>
        <translation>分</translation>
    </message>
    <message>
        <source>FTP Site Manager</source>
        <translation>FTP 站台管理員</translation>
    </message>
    <message>
        <source>Sites</source>
        <translation>站台</translation>
    </message>
    <message>
        <source>Host Address</source>
        <translation>主機位址</translation>
    </message>
    <message>
        <source>Use PASV Mode</source>
        <translation>使用 PASV 模式</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>登入名稱</translation>
    </message>
    <message>
        <source>ProfileName</source>
        <translation>設定檔名稱</translation>
    </message>
    <message>
        <source>Initial Path</source>
        <translation>初始路徑</translation>
    </message>
    <message>
        <source>Anoymous</source>
        <translation>匿名</translation>
    </message>
    <message>
        <source>Instant JPEG</source>
        <translation>即時 JPEG</translation>
    </message>
    <message>
        <source>Filename</source>
        <translation>檔案名稱</translation>
    </message>
    <message>
        <source>Pictavo Mode (TR-50 only)</source>
        <translation>Pictavo 模式 (僅限 TR-50)</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>時長：</translation>
    </message>
    <message>
        <source>Can not copy the picture to instant.jpg!</source>
        <translation>無法將圖片複製到 instant.jpg！</translation>
    </message>
    <message>
        <source>Image Editor</source>
        <translation>影像編輯器</translation>
    </message>
    <message>
        <source>Template1</source>
        <translation>範本1</translation>
    </message>
    <message>
        <source>Template2</source>
        <translation>範本2</translation>
    </message>
    <message>
        <source>Top Banner(1280*100)</source>
        <translation>頂部橫幅(1280*100)</translation>
    </message>
    <message>
        <source>Picture Zone(560*560)</source>
        <translation>圖片區域(560*560)</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>新增...</translation>
    </message>
    <message>
        <source>Play Each Slide For</source>
        <translation>每張投影片播放</translation>
    </message>
    <message>
        <source>10 Seconds</source>
        <translation>10 秒</translation>
    </message>
    <message>
        <source>20 Seconds</source>
        <translation>20 秒</translation>
    </message>
    <message>
        <source>30 Seconds</source>
        <translation>30 秒</translation>
    </message>
    <message>
        <source>40 Seconds</source>
        <translation>40 秒</translation>
    </message>
    <message>
        <source>50 Seconds</source>
        <translation>50 秒</translation>
    </message>
    <message>
        <source>60 Seconds</source>
        <translation>60 秒</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>進度</translation>
    </message>
    <message>
        <source>Ticker text scrolls here  &lt;&lt;  News, offers and notices</source>
        <translation>捲動文字在此顯示  &lt;&lt;  新聞、優惠與通知</translation>
    </message>
    <message>
        <source>Image Editor...</source>
        <translation>影像編輯器...</translation>
    </message>
    <message>
        <source>Can not read the playlist %1</source>
        <translation>無法讀取播放清單 %1</translation>
    </message>
    <message>
        <source>Player offline</source>
        <translation>播放器離線</translation>
    </message>
    <message>
        <source>%1 (group %2) has been offline since %3.</source>
        <translation>%1（群組 %2）自 %3 起離線。</translation>
    </message>
    <message>
        <source>Player back online</source>
        <translation>播放器重新上線</translation>
    </message>
    <message>
        <source>%1 (group %2) is back online.</source>
        <translation>%1（群組 %2）已重新上線。</translation>
    </message>
    <message>
        <source>%1 of %2 players in %3 offline</source>
        <translation>%3 中 %2 台播放器有 %1 台離線</translation>
    </message>
    <message>
        <source>%1 of %2 players offline</source>
        <translation>%2 台播放器中有 %1 台離線</translation>
    </message>
    <message>
        <source>Play Report</source>
        <translation>播放統計</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>播放器</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>媒體</translation>
    </message>
    <message>
        <source>Plays</source>
        <translation>播放次數</translation>
    </message>
    <message>
        <source>First Day</source>
        <translation>首次播放日期</translation>
    </message>
    <message>
        <source>Last Day</source>
        <translation>最後播放日期</translation>
    </message>
    <message>
        <source>any</source>
        <translation>不限</translation>
    </message>
    <message>
        <source>All groups</source>
        <translation>所有群組</translation>
    </message>
    <message>
        <source>all players</source>
        <translation>所有播放器</translation>
    </message>
    <message>
        <source>&amp;Show</source>
        <translation>顯示(&amp;S)</translation>
    </message>
    <message>
        <source>Export &amp;CSV...</source>
        <translation>匯出 CSV(&amp;C)...</translation>
    </message>
    <message>
        <source>From:</source>
        <translation>從：</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>到：</translation>
    </message>
    <message>
        <source>Player:</source>
        <translation>播放器：</translation>
    </message>
    <message>
        <source>Most played media</source>
        <translation>播放最多的媒體</translation>
    </message>
    <message>
        <source>Reading the play report...</source>
        <translation>正在讀取播放統計...</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 列</translation>
    </message>
    <message>
        <source>%1 damaged lines skipped</source>
        <translation>已略過 %1 行損毀資料</translation>
    </message>
    <message>
        <source>only the start of the file was read</source>
        <translation>僅讀取了檔案的開頭部分</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>無法寫入 %1</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>已儲存 %1</translation>
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
    <name>lum::CLogPane</name>
    <message>
        <source>Selected player&apos;s log</source>
        <translation>所選播放器的記錄</translation>
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
    <message>
        <source>Online players</source>
        <translation>上線播放器</translation>
    </message>
    <message>
        <source>&amp;MPL Commander</source>
        <translation>&amp;MPL Commander</translation>
    </message>
    <message>
        <source>Playlist Commander</source>
        <translation>Playlist Commander</translation>
    </message>
    <message>
        <source>&amp;Client Setup Utility...</source>
        <translation>播放器設定工具(&amp;C)...</translation>
    </message>
    <message>
        <source>AutoConfig File Editor</source>
        <translation>AutoConfig 檔案編輯器</translation>
    </message>
    <message>
        <source>RSS Editor</source>
        <translation>RSS 編輯器</translation>
    </message>
    <message>
        <source>RSS Edit</source>
        <translation>RSS 編輯</translation>
    </message>
    <message>
        <source>Playlist Scheduler</source>
        <translation>播放清單排程</translation>
    </message>
    <message>
        <source>Instant Message Tool</source>
        <translation>即時訊息工具</translation>
    </message>
    <message>
        <source>MSG</source>
        <translation>訊息</translation>
    </message>
    <message>
        <source>On Screen Label...</source>
        <translation>螢幕標籤...</translation>
    </message>
    <message>
        <source>Send Picture...</source>
        <translation>傳送圖片...</translation>
    </message>
    <message>
        <source>Pictavo</source>
        <translation>Pictavo</translation>
    </message>
    <message>
        <source>Instant JPEG...</source>
        <translation>即時 JPEG...</translation>
    </message>
</context>
</TS>
