<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
<context>
    <name>CDlgMonitoring</name>
    <message>
        <source>None</source>
        <translation>없음</translation>
    </message>
    <message>
        <source>Reference Position</source>
        <translation>지령 위치</translation>
    </message>
    <message>
        <source>Reference Velocity</source>
        <translation>지령 속도</translation>
    </message>
    <message>
        <source>Motor Position</source>
        <translation>모터 위치</translation>
    </message>
    <message>
        <source>Motor Velocity</source>
        <translation>모터 속도</translation>
    </message>
    <message>
        <source>Torque</source>
        <translation>토크</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>BLDC Parameter List</source>
        <translation>BLDC 파라미터 목록</translation>
    </message>
    <message>
        <source>Estimate Inertia Ratio</source>
        <translation>관성비 추정</translation>
    </message>
    <message>
        <source>R&amp;&amp;L Estimate</source>
        <translation>R&amp;&amp;L 추정</translation>
    </message>
    <message>
        <source>Board List</source>
        <translation>보드 목록</translation>
    </message>
    <message>
        <source>Show the Board List windows.</source>
        <translation>보드 목록 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show Board List</source>
        <translation>보드 목록 보기</translation>
    </message>
    <message>
        <source>Parameter List</source>
        <translation>파라미터 목록</translation>
    </message>
    <message>
        <source>Show the Parameter List window.</source>
        <translation>파라미터 목록 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show Parameter List</source>
        <translation>파라미터 목록 보기</translation>
    </message>
    <message>
        <source>Axis Parameter</source>
        <translation>축 파라미터</translation>
    </message>
    <message>
        <source>Show the Axis Parameter window.</source>
        <translation>축 파라미터 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show Axis Parameter</source>
        <translation>축 파라미터 보기</translation>
    </message>
    <message>
        <source>I/O Monitor</source>
        <translation>I/O 모니터</translation>
    </message>
    <message>
        <source>Show the I/O Monitor window.</source>
        <translation>I/O 모니터 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show I/O Monitor</source>
        <translation>I/O 모니터 보기</translation>
    </message>
    <message>
        <source>I/O Setting</source>
        <translation>I/O 설정</translation>
    </message>
    <message>
        <source>Show the I/O Setting window.</source>
        <translation>I/O 설정 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show I/O Setting</source>
        <translation>I/O 설정 보기</translation>
    </message>
    <message>
        <source>Motion Test</source>
        <translation>모션 테스트</translation>
    </message>
    <message>
        <source>Show the Motion Test window.</source>
        <translation>모션 테스트 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show Motion Test</source>
        <translation>모션 테스트 보기</translation>
    </message>
    <message>
        <source>Position Table</source>
        <translation>포지션 테이블</translation>
    </message>
    <message>
        <source>Show the Position Table window.</source>
        <translation>포지션 테이블 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show Position Table</source>
        <translation>포지션 테이블 보기</translation>
    </message>
    <message>
        <source>Tarsel Tevra GUI Program for Distributor</source>
        <translation>Tarsel Tevra GUI 프로그램 (대리점용)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>파일(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation>연결(&amp;C)</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>Connect or disconnect the serial port</source>
        <translation>시리얼 포트를 연결하거나 연결을 끊습니다</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>끝내기(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Tuning</source>
        <translation>튜닝(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Monitoring</source>
        <translation>모니터링(&amp;M)</translation>
    </message>
    <message>
        <source>Monitoring Data</source>
        <translation>모니터링 데이터</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>보기(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>도구 모음(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>상태 표시줄(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Command Bar</source>
        <translation>명령 표시줄(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>도움말(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About Tevra GUI...</source>
        <translation>Tevra GUI 정보(&amp;A)...</translation>
    </message>
    <message>
        <source>Check for update</source>
        <translation>업데이트 확인</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>도구 모음</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>준비</translation>
    </message>
    <message>
        <source>Command Message</source>
        <translation>명령 메시지</translation>
    </message>
    <message>
        <source>Toggle CommandBar</source>
        <translation>명령 표시줄 전환</translation>
    </message>
    <message>
        <source>Show or hide the command bar</source>
        <translation>명령 표시줄을 보이거나 숨깁니다</translation>
    </message>
    <message>
        <source>BLDC Function</source>
        <translation>BLDC 기능</translation>
    </message>
    <message>
        <source>The specific function is only supported by Dorrin Tevra BLDC product.</source>
        <translation>이 기능은 Dorrin Tevra BLDC 제품에서만 지원됩니다.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>Serial communication was disconnected.</source>
        <translation>시리얼 통신이 끊어졌습니다.</translation>
    </message>
    <message>
        <source>&amp;Line Health</source>
        <translation>회선 상태(&amp;L)</translation>
    </message>
    <message>
        <source>Show or hide the counters of the serial line</source>
        <translation>시리얼 회선의 카운터를 보이거나 숨깁니다</translation>
    </message>
</context>
<context>
    <name>CViewAxisParam</name>
    <message>
        <source>Motor Direction</source>
        <translation>모터 방향</translation>
    </message>
    <message>
        <source>CW</source>
        <translation>CW</translation>
    </message>
    <message>
        <source>CCW</source>
        <translation>CCW</translation>
    </message>
    <message>
        <source>Origin Direction</source>
        <translation>원점 방향</translation>
    </message>
    <message>
        <source>H/W Limit Stop Mode</source>
        <translation>H/W 리밋 정지 방법</translation>
    </message>
    <message>
        <source>E-Stop</source>
        <translation>비상 정지</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>감속 정지</translation>
    </message>
    <message>
        <source>Run/Stop Signal Logic</source>
        <translation>Run/Stop 신호 논리</translation>
    </message>
    <message>
        <source>Low Active</source>
        <translation>Low 액티브</translation>
    </message>
    <message>
        <source>High Active</source>
        <translation>High 액티브</translation>
    </message>
    <message>
        <source>Encoder Direction</source>
        <translation>엔코더 방향</translation>
    </message>
    <message>
        <source>Pulse Type</source>
        <translation>펄스 방식</translation>
    </message>
    <message>
        <source>1 pulse</source>
        <translation>1 펄스</translation>
    </message>
    <message>
        <source>2 pulse</source>
        <translation>2 펄스</translation>
    </message>
    <message>
        <source>Origin Offset</source>
        <translation>원점 오프셋</translation>
    </message>
    <message>
        <source>Origin Position Set</source>
        <translation>원점 위치 설정</translation>
    </message>
    <message>
        <source>INP Value</source>
        <translation>INP 값</translation>
    </message>
    <message>
        <source>S/W +Limit Value</source>
        <translation>S/W +리밋 값</translation>
    </message>
    <message>
        <source>S/W -Limit Value</source>
        <translation>S/W -리밋 값</translation>
    </message>
    <message>
        <source>Pos Tracking Limit</source>
        <translation>위치 추종 한계</translation>
    </message>
    <message>
        <source>Max Speed Ratio</source>
        <translation>최대 속도 비율</translation>
    </message>
    <message>
        <source>Origin</source>
        <translation>원점</translation>
    </message>
    <message>
        <source>Inposition</source>
        <translation>인포지션</translation>
    </message>
    <message>
        <source>Speed Override</source>
        <translation>속도 오버라이드</translation>
    </message>
</context>
<context>
    <name>Frame</name>
    <message>
        <source>This window is not available yet.</source>
        <translation>이 창은 아직 제공되지 않습니다.</translation>
    </message>
    <message>
        <source>Board List</source>
        <translation>보드 목록</translation>
    </message>
    <message>
        <source>Parameter List</source>
        <translation>파라미터 목록</translation>
    </message>
    <message>
        <source>Axis Parameter</source>
        <translation>축 파라미터</translation>
    </message>
    <message>
        <source>Motion Test</source>
        <translation>모션 테스트</translation>
    </message>
    <message>
        <source>Repeat Test</source>
        <translation>반복 테스트</translation>
    </message>
    <message>
        <source>I/O Monitoring</source>
        <translation>I/O 모니터링</translation>
    </message>
    <message>
        <source>I/O Setting</source>
        <translation>I/O 설정</translation>
    </message>
    <message>
        <source>Position Table</source>
        <translation>포지션 테이블</translation>
    </message>
    <message>
        <source>BLDC Parameter</source>
        <translation>BLDC 파라미터</translation>
    </message>
</context>
<context>
    <name>Loading</name>
    <message>
        <source>Reading Parameters</source>
        <translation>파라미터 읽는 중</translation>
    </message>
    <message>
        <source>Reading I/O Mapping</source>
        <translation>I/O 매핑 읽는 중</translation>
    </message>
    <message>
        <source>Loading Position Table Data</source>
        <translation>포지션 테이블 데이터 읽는 중</translation>
    </message>
    <message>
        <source>Reading BLDC Parameters</source>
        <translation>BLDC 파라미터 읽는 중</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>읽는 중...</translation>
    </message>
</context>
<context>
    <name>Toolbar</name>
    <message>
        <source>Connect</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>Boards</source>
        <translation>보드</translation>
    </message>
    <message>
        <source>Params</source>
        <translation>파라미터</translation>
    </message>
    <message>
        <source>Axis</source>
        <translation>축</translation>
    </message>
    <message>
        <source>I/O Mon</source>
        <translation>I/O 감시</translation>
    </message>
    <message>
        <source>I/O Set</source>
        <translation>I/O 설정</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>모션</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>테이블</translation>
    </message>
    <message>
        <source>Cmd Bar</source>
        <translation>명령줄</translation>
    </message>
</context>
<context>
    <name>tarsel::app::CAboutDlg</name>
    <message>
        <source>About Tarsel Tevra GUI</source>
        <translation>Tarsel Tevra GUI 정보</translation>
    </message>
    <message>
        <source>Tevra GUI Version : %1 (rev.%2)</source>
        <translation>Tevra GUI 버전 : %1 (rev.%2)</translation>
    </message>
    <message>
        <source>Supported firmware version :</source>
        <translation>지원 펌웨어 버전 :</translation>
    </message>
    <message>
        <source>1) Dorrin Tevra-ST</source>
        <translation>1) Dorrin Tevra-ST</translation>
    </message>
    <message>
        <source>2) Pellin Tevra-ST</source>
        <translation>2) Pellin Tevra-ST</translation>
    </message>
    <message>
        <source>3) Dorrin Tevra-ABS</source>
        <translation>3) Dorrin Tevra-ABS</translation>
    </message>
    <message>
        <source>4) Ravelo</source>
        <translation>4) Ravelo</translation>
    </message>
</context>
<context>
    <name>tarsel::app::CDlgConnect</name>
    <message>
        <source>Connect to Tarsel Tevra</source>
        <translation>Tarsel Tevra에 연결</translation>
    </message>
    <message>
        <source>File Ver. %1 (rev.%2)</source>
        <translation>파일 버전 %1 (rev.%2)</translation>
    </message>
    <message>
        <source>For %1</source>
        <translation>%1 용</translation>
    </message>
    <message>
        <source>Communication Port</source>
        <translation>통신 포트</translation>
    </message>
    <message>
        <source>Port No.</source>
        <translation>포트 번호</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>통신 속도</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>Connection failed.
Communication Converter was NOT found.</source>
        <translation>연결하지 못했습니다.
통신 변환기를 찾을 수 없습니다.</translation>
    </message>
    <message>
        <source>No drive of Tarsel Tevra product was found.</source>
        <translation>Tarsel Tevra 제품 드라이브를 찾지 못했습니다.</translation>
    </message>
</context>
<context>
    <name>tarsel::app::CLineHealthBar</name>
    <message>
        <source>Line Health</source>
        <translation>회선 상태</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>슬레이브</translation>
    </message>
    <message>
        <source>Transactions</source>
        <translation>트랜잭션</translation>
    </message>
    <message>
        <source>Time-outs</source>
        <translation>시간 초과</translation>
    </message>
    <message>
        <source>CRC failures</source>
        <translation>CRC 오류</translation>
    </message>
    <message>
        <source>Retries</source>
        <translation>재시도</translation>
    </message>
    <message>
        <source>Median ms</source>
        <translation>중앙값 ms</translation>
    </message>
    <message>
        <source>Worst ms</source>
        <translation>최대 ms</translation>
    </message>
</context>
<context>
    <name>tarsel::app::CViewBoardList</name>
    <message>
        <source>Controller List</source>
        <translation>컨트롤러 목록</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>장치 목록</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>형식</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>모터</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>정보</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>파라미터</translation>
    </message>
    <message>
        <source>Parameter List</source>
        <translation>파라미터 목록</translation>
    </message>
    <message>
        <source>Axis Parameter</source>
        <translation>축 파라미터</translation>
    </message>
    <message>
        <source>I/O</source>
        <translation>I/O</translation>
    </message>
    <message>
        <source>I/O Monitor</source>
        <translation>I/O 모니터</translation>
    </message>
    <message>
        <source>I/O Setting</source>
        <translation>I/O 설정</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>모션</translation>
    </message>
    <message>
        <source>Motion Test</source>
        <translation>모션 테스트</translation>
    </message>
    <message>
        <source>Repeat Test</source>
        <translation>반복 테스트</translation>
    </message>
    <message>
        <source>Position Table</source>
        <translation>포지션 테이블</translation>
    </message>
</context>
<context>
    <name>tarsel::dialogs::CDlgInertiaEstimation</name>
    <message>
        <source>Inertia Ratio Estimation</source>
        <translation>관성비 추정</translation>
    </message>
    <message>
        <source>Position Data</source>
        <translation>위치 데이터</translation>
    </message>
    <message>
        <source>Position 1</source>
        <translation>위치 1</translation>
    </message>
    <message>
        <source>Position 2</source>
        <translation>위치 2</translation>
    </message>
    <message>
        <source>Move Speed</source>
        <translation>이동 속도</translation>
    </message>
    <message>
        <source>Move Pos1</source>
        <translation>위치1 이동</translation>
    </message>
    <message>
        <source>Move Pos2</source>
        <translation>위치2 이동</translation>
    </message>
    <message>
        <source>Repeat Data</source>
        <translation>반복 데이터</translation>
    </message>
    <message>
        <source>Delay Time</source>
        <translation>지연 시간</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>반복</translation>
    </message>
    <message>
        <source>Check Inposition</source>
        <translation>인포지션 확인</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>상태</translation>
    </message>
    <message>
        <source>Inertia Ratio</source>
        <translation>관성비</translation>
    </message>
    <message>
        <source>Repeat Count</source>
        <translation>반복 횟수</translation>
    </message>
    <message>
        <source>Clear Status</source>
        <translation>상태 지우기</translation>
    </message>
    <message>
        <source>E-Stop</source>
        <translation>비상 정지</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>정지</translation>
    </message>
    <message>
        <source>RUN</source>
        <translation>실행</translation>
    </message>
    <message>
        <source>Write ROM</source>
        <translation>ROM 쓰기</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>It&apos;s SERVO OFF status. This function works when it&apos;s  SERVO ON.</source>
        <translation>서보 OFF 상태입니다. 이 기능은 서보 ON 상태에서 동작합니다.</translation>
    </message>
    <message>
        <source>Save BLDC Parameters to ROM</source>
        <translation>BLDC 파라미터를 ROM에 저장</translation>
    </message>
    <message>
        <source>Do you really want to save it?</source>
        <translation>저장하시겠습니까?</translation>
    </message>
    <message>
        <source>Saving is done.</source>
        <translation>저장을 마쳤습니다.</translation>
    </message>
    <message>
        <source>Failed to save data.</source>
        <translation>데이터를 저장하지 못했습니다.</translation>
    </message>
    <message>
        <source>Failed to estimate Inertia Ratio.</source>
        <translation>관성비를 추정하지 못했습니다.</translation>
    </message>
</context>
<context>
    <name>tarsel::dialogs::CDlgMonitoring</name>
    <message>
        <source>Monitoring</source>
        <translation>모니터링</translation>
    </message>
    <message>
        <source>Sampling</source>
        <translation>샘플링</translation>
    </message>
    <message>
        <source>Sampling Time [ms]</source>
        <translation>샘플링 시간 [ms]</translation>
    </message>
    <message>
        <source>Buffer Size (samples)</source>
        <translation>버퍼 크기 (샘플)</translation>
    </message>
    <message>
        <source>Monitoring Item</source>
        <translation>모니터링 항목</translation>
    </message>
    <message>
        <source>1st Item:</source>
        <translation>첫째 항목:</translation>
    </message>
    <message>
        <source>2nd Item:</source>
        <translation>둘째 항목:</translation>
    </message>
    <message>
        <source>3rd Item:</source>
        <translation>셋째 항목:</translation>
    </message>
    <message>
        <source>4th Item:</source>
        <translation>넷째 항목:</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>모션</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>이동 거리</translation>
    </message>
    <message>
        <source>[pulse]</source>
        <translation>[pulse]</translation>
    </message>
    <message>
        <source>Start Speed</source>
        <translation>시작 속도</translation>
    </message>
    <message>
        <source>[pps]</source>
        <translation>[pps]</translation>
    </message>
    <message>
        <source>Move Speed</source>
        <translation>이동 속도</translation>
    </message>
    <message>
        <source>Accel Time</source>
        <translation>가속 시간</translation>
    </message>
    <message>
        <source>[msec]</source>
        <translation>[msec]</translation>
    </message>
    <message>
        <source>Decel Time</source>
        <translation>감속 시간</translation>
    </message>
    <message>
        <source>Start Sampling</source>
        <translation>샘플링 시작</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
</context>
<context>
    <name>tarsel::dialogs::CDlgParamCompare</name>
    <message>
        <source>Compare Parameters</source>
        <translation>파라미터 비교</translation>
    </message>
    <message>
        <source>File...</source>
        <translation>파일...</translation>
    </message>
    <message>
        <source>Drive:</source>
        <translation>드라이브:</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(없음)</translation>
    </message>
    <message>
        <source>Slave %1</source>
        <translation>슬레이브 %1</translation>
    </message>
    <message>
        <source>Compared parameters</source>
        <translation>비교한 파라미터</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>번호</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>이름</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>드라이브</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>비교 대상</translation>
    </message>
    <message>
        <source>Copy to Drive</source>
        <translation>드라이브로 복사</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Parameter File(*.fpt)</source>
        <translation>파라미터 파일(*.fpt)</translation>
    </message>
    <message>
        <source>All Files(*.*)</source>
        <translation>모든 파일(*.*)</translation>
    </message>
    <message>
        <source>Failed to read file.</source>
        <translation>파일을 읽지 못했습니다.</translation>
    </message>
    <message>
        <source>It is NOT a paramerer file or not a supported one.
Please check it again.</source>
        <translation>파라미터 파일이 아니거나 지원하지 않는 파일입니다.
다시 확인해 주십시오.</translation>
    </message>
    <message>
        <source>Choose a parameter file or a drive to compare with.</source>
        <translation>비교할 파라미터 파일이나 드라이브를 고르십시오.</translation>
    </message>
    <message>
        <source>Compared with: %1</source>
        <translation>비교 대상: %1</translation>
    </message>
</context>
<context>
    <name>tarsel::dialogs::CDlgPosItem</name>
    <message>
        <source>A error is occured while writing position table data.</source>
        <translation>포지션 테이블 데이터를 쓰는 중 오류가 발생했습니다.</translation>
    </message>
    <message>
        <source>ABS - High Speed and Decel.</source>
        <translation>ABS - 고속 및 감속</translation>
    </message>
    <message>
        <source>ABS - Normal Motion</source>
        <translation>ABS - 일반 동작</translation>
    </message>
    <message>
        <source>ABS - Only High Speed</source>
        <translation>ABS - 고속만</translation>
    </message>
    <message>
        <source>ABS - Only Low Speed</source>
        <translation>ABS - 저속만</translation>
    </message>
    <message>
        <source>Accel Time</source>
        <translation>가속 시간</translation>
    </message>
    <message>
        <source>Begin</source>
        <translation>처음</translation>
    </message>
    <message>
        <source>Check Inposition</source>
        <translation>인포지션 확인</translation>
    </message>
    <message>
        <source>Clear Loop Count</source>
        <translation>루프 횟수 초기화</translation>
    </message>
    <message>
        <source>Clear Position</source>
        <translation>위치 초기화</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>명령</translation>
    </message>
    <message>
        <source>Command  :</source>
        <translation>명령  :</translation>
    </message>
    <message>
        <source>Counting Loop</source>
        <translation>횟수 루프</translation>
    </message>
    <message>
        <source>Data value which you want to write is out of range.</source>
        <translation>쓰려는 데이터 값이 범위를 벗어났습니다.</translation>
    </message>
    <message>
        <source>Decel Time</source>
        <translation>감속 시간</translation>
    </message>
    <message>
        <source>Enable Continuous Action</source>
        <translation>연속 동작 사용</translation>
    </message>
    <message>
        <source>End</source>
        <translation>끝</translation>
    </message>
    <message>
        <source>End Sign</source>
        <translation>종료 신호</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>High Speed</source>
        <translation>고속</translation>
    </message>
    <message>
        <source>INC - High Speed and Decel.</source>
        <translation>INC - 고속 및 감속</translation>
    </message>
    <message>
        <source>INC - Normal Motion</source>
        <translation>INC - 일반 동작</translation>
    </message>
    <message>
        <source>INC - Only High Speed</source>
        <translation>INC - 고속만</translation>
    </message>
    <message>
        <source>INC - Only Low Speed</source>
        <translation>INC - 저속만</translation>
    </message>
    <message>
        <source>Item No. : %1</source>
        <translation>항목 번호 : %1</translation>
    </message>
    <message>
        <source>JP Table No.</source>
        <translation>점프 테이블 번호</translation>
    </message>
    <message>
        <source>JP Table No. at the end of loop</source>
        <translation>루프 종료 시 점프 테이블 번호</translation>
    </message>
    <message>
        <source>JPT %1</source>
        <translation>JPT %1</translation>
    </message>
    <message>
        <source>Jump</source>
        <translation>점프</translation>
    </message>
    <message>
        <source>Loop Count</source>
        <translation>루프 횟수</translation>
    </message>
    <message>
        <source>Low Speed</source>
        <translation>저속</translation>
    </message>
    <message>
        <source>Move Origin</source>
        <translation>원점 이동</translation>
    </message>
    <message>
        <source>Next Item</source>
        <translation>다음 항목</translation>
    </message>
    <message>
        <source>PT %1</source>
        <translation>PT %1</translation>
    </message>
    <message>
        <source>PT Output Set</source>
        <translation>PT 출력 설정</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>위치</translation>
    </message>
    <message>
        <source>Position Table Item Editor</source>
        <translation>포지션 테이블 항목 편집기</translation>
    </message>
    <message>
        <source>Previous Item</source>
        <translation>이전 항목</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>저장</translation>
    </message>
    <message>
        <source>Start Sign</source>
        <translation>시작 신호</translation>
    </message>
    <message>
        <source>Waiting Time after command</source>
        <translation>명령 후 대기 시간</translation>
    </message>
    <message>
        <source>[msec]</source>
        <translation>[msec]</translation>
    </message>
    <message>
        <source>[pps]</source>
        <translation>[pps]</translation>
    </message>
    <message>
        <source>[pulse]</source>
        <translation>[pulse]</translation>
    </message>
</context>
<context>
    <name>tarsel::dialogs::CDlgRLEstimation</name>
    <message>
        <source>Overall R&amp;L Estimation</source>
        <translation>전체 R&amp;L 추정</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>상태</translation>
    </message>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>L</source>
        <translation>L</translation>
    </message>
    <message>
        <source>Estimate</source>
        <translation>추정</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>RL Estimation</source>
        <translation>RL 추정</translation>
    </message>
    <message>
        <source>It&apos;s SERVO ON status. This function works when it&apos;s  SERVO OFF. Do you want to set SERVO OFF and proceed?</source>
        <translation>서보 ON 상태입니다. 이 기능은 서보 OFF 상태에서 동작합니다. 서보를 OFF 하고 진행하시겠습니까?</translation>
    </message>
    <message>
        <source>Estimating.. (%1)</source>
        <translation>추정 중.. (%1)</translation>
    </message>
</context>
<context>
    <name>tarsel::dialogs::CDlgTeaching</name>
    <message>
        <source>+Jog</source>
        <translation>+조그</translation>
    </message>
    <message>
        <source>-Jog</source>
        <translation>-조그</translation>
    </message>
    <message>
        <source>ALARM
RESET</source>
        <translation>알람
리셋</translation>
    </message>
    <message>
        <source>Abs Move</source>
        <translation>절대 이동</translation>
    </message>
    <message>
        <source>Actual Pos</source>
        <translation>실제 위치</translation>
    </message>
    <message>
        <source>Actual Vel</source>
        <translation>실제 속도</translation>
    </message>
    <message>
        <source>Begin</source>
        <translation>처음</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Cmd Pos</source>
        <translation>명령 위치</translation>
    </message>
    <message>
        <source>DEC Move</source>
        <translation>감소 이동</translation>
    </message>
    <message>
        <source>End</source>
        <translation>끝</translation>
    </message>
    <message>
        <source>INC Move</source>
        <translation>증가 이동</translation>
    </message>
    <message>
        <source>Item No</source>
        <translation>항목 번호</translation>
    </message>
    <message>
        <source>Motor State</source>
        <translation>모터 상태</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>이동</translation>
    </message>
    <message>
        <source>Move Speed</source>
        <translation>이동 속도</translation>
    </message>
    <message>
        <source>Next Item</source>
        <translation>다음 항목</translation>
    </message>
    <message>
        <source>Pos Error</source>
        <translation>위치 오차</translation>
    </message>
    <message>
        <source>Position Save</source>
        <translation>위치 저장</translation>
    </message>
    <message>
        <source>Position Status</source>
        <translation>위치 상태</translation>
    </message>
    <message>
        <source>Previous Item</source>
        <translation>이전 항목</translation>
    </message>
    <message>
        <source>SERVO OFF</source>
        <translation>서보 끄기</translation>
    </message>
    <message>
        <source>SERVO ON</source>
        <translation>서보 켜기</translation>
    </message>
    <message>
        <source>STEP OFF</source>
        <translation>스텝 끄기</translation>
    </message>
    <message>
        <source>STEP ON</source>
        <translation>스텝 켜기</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>정지</translation>
    </message>
    <message>
        <source>Teaching Dialog</source>
        <translation>티칭 대화상자</translation>
    </message>
    <message>
        <source>[pps]</source>
        <translation>[pps]</translation>
    </message>
    <message>
        <source>[pulse]</source>
        <translation>[pulse]</translation>
    </message>
</context>
<context>
    <name>tarsel::dialogs::CMonitoringRun</name>
    <message>
        <source>Monitoring</source>
        <translation>모니터링</translation>
    </message>
    <message>
        <source>Execute Graph Application...</source>
        <translation>그래프 프로그램 실행 중...</translation>
    </message>
    <message>
        <source>Config Graph Application...</source>
        <translation>그래프 프로그램 설정 중...</translation>
    </message>
    <message>
        <source>Config Monitoring...</source>
        <translation>모니터링 설정 중...</translation>
    </message>
    <message>
        <source>Monitoring is NOT ready.</source>
        <translation>모니터링이 준비되지 않았습니다.</translation>
    </message>
    <message>
        <source>Start Sampling...</source>
        <translation>샘플링 시작...</translation>
    </message>
    <message>
        <source>Data Gathering...</source>
        <translation>데이터 수집 중...</translation>
    </message>
    <message>
        <source>Reading Sampling data...</source>
        <translation>샘플링 데이터 읽는 중...</translation>
    </message>
</context>
<context>
    <name>tarsel::views::CViewAxisParam</name>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
</context>
<context>
    <name>tarsel::views::CViewBLDCParameter</name>
    <message>
        <source>Categories</source>
        <translation>카테고리</translation>
    </message>
    <message>
        <source>BLDC Parameters</source>
        <translation>BLDC 파라미터</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>번호</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>이름</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>범위</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>간격</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>값</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>단위</translation>
    </message>
    <message>
        <source>Refresh Parameters</source>
        <translation>파라미터 다시 읽기</translation>
    </message>
    <message>
        <source>Load ROM</source>
        <translation>ROM 읽기</translation>
    </message>
    <message>
        <source>Save to ROM</source>
        <translation>ROM에 저장</translation>
    </message>
    <message>
        <source>Save to File</source>
        <translation>파일로 저장</translation>
    </message>
    <message>
        <source>Load File</source>
        <translation>파일 읽기</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>READ ONLY!</source>
        <translation>읽기 전용!</translation>
    </message>
    <message>
        <source>Load BLDC Parameters from ROM</source>
        <translation>ROM에서 BLDC 파라미터 읽기</translation>
    </message>
    <message>
        <source>Do you really want to load saved data?</source>
        <translation>저장된 데이터를 읽으시겠습니까?</translation>
    </message>
    <message>
        <source>Failed to load data.</source>
        <translation>데이터를 읽지 못했습니다.</translation>
    </message>
    <message>
        <source>Save BLDC Parameters to ROM</source>
        <translation>ROM에 BLDC 파라미터 저장</translation>
    </message>
    <message>
        <source>Do you really want to save it?</source>
        <translation>저장하시겠습니까?</translation>
    </message>
    <message>
        <source>Saving is done.</source>
        <translation>저장을 마쳤습니다.</translation>
    </message>
    <message>
        <source>Failed to save data.</source>
        <translation>데이터를 저장하지 못했습니다.</translation>
    </message>
    <message>
        <source>Save BLDC Parameters to file</source>
        <translation>BLDC 파라미터를 파일로 저장</translation>
    </message>
    <message>
        <source>BLDC Parameter File(*.fbt)</source>
        <translation>BLDC 파라미터 파일(*.fbt)</translation>
    </message>
    <message>
        <source>Load BLDC Parameters from file</source>
        <translation>파일에서 BLDC 파라미터 읽기</translation>
    </message>
    <message>
        <source>Loading Parameters..</source>
        <translation>파라미터를 읽는 중..</translation>
    </message>
    <message>
        <source>Failed to load file.</source>
        <translation>파일을 불러오지 못했습니다.</translation>
    </message>
</context>
<context>
    <name>tarsel::views::CViewIOMonitor</name>
    <message>
        <source>I/O Logic Setting</source>
        <translation>I/O 논리 설정</translation>
    </message>
    <message>
        <source>Save Record...</source>
        <translation>기록 저장...</translation>
    </message>
    <message>
        <source>Recorded changes</source>
        <translation>기록된 변화</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>INPUT</source>
        <translation>입력</translation>
    </message>
    <message>
        <source>OUTPUT</source>
        <translation>출력</translation>
    </message>
    <message numerus="yes">
        <source>%n change(s) recorded</source>
        <translation>
            <numerusform>%n개 변화 기록됨</numerusform>
        </translation>
    </message>
    <message>
        <source>Save I/O record</source>
        <translation>I/O 기록 저장</translation>
    </message>
    <message>
        <source>CSV File(*.csv)</source>
        <translation>CSV 파일(*.csv)</translation>
    </message>
    <message>
        <source>Saving to file is done.</source>
        <translation>파일 저장이 완료되었습니다.</translation>
    </message>
    <message>
        <source>Failed to save data to file.</source>
        <translation>데이터를 파일에 저장하지 못했습니다.</translation>
    </message>
</context>
<context>
    <name>tarsel::views::CViewIOSetting</name>
    <message>
        <source>Set to DEFAULT</source>
        <translation>기본값으로 설정</translation>
    </message>
    <message>
        <source>Load ROM</source>
        <translation>ROM 불러오기</translation>
    </message>
    <message>
        <source>Save to ROM</source>
        <translation>ROM에 저장</translation>
    </message>
    <message>
        <source>Load File</source>
        <translation>파일 불러오기</translation>
    </message>
    <message>
        <source>Save to File</source>
        <translation>파일로 저장</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Assign OUTPUT</source>
        <translation>출력 할당</translation>
    </message>
    <message>
        <source>Assign INPUT</source>
        <translation>입력 할당</translation>
    </message>
    <message>
        <source>OUTPUT</source>
        <translation>출력</translation>
    </message>
    <message>
        <source>INPUT</source>
        <translation>입력</translation>
    </message>
    <message>
        <source>Low Active</source>
        <translation>Low 활성</translation>
    </message>
    <message>
        <source>[NONE]</source>
        <translation>[없음]</translation>
    </message>
    <message>
        <source>OUTPUT %1</source>
        <translation>출력 %1</translation>
    </message>
    <message>
        <source>INPUT %1</source>
        <translation>입력 %1</translation>
    </message>
    <message>
        <source>%1 level</source>
        <translation>%1 레벨</translation>
    </message>
    <message>
        <source>High Active</source>
        <translation>High 활성</translation>
    </message>
    <message>
        <source>Output Assign</source>
        <translation>출력 할당</translation>
    </message>
    <message>
        <source>Input Assign</source>
        <translation>입력 할당</translation>
    </message>
    <message>
        <source>The logic which you select is already assigned. Do you want to assign the logic? The logic value of the Output pin which was assigned it before will be reset.</source>
        <translation>선택한 논리는 이미 할당되어 있습니다. 이 논리를 할당하시겠습니까? 이전에 이 논리가 할당되었던 출력 핀의 논리 값은 초기화됩니다.</translation>
    </message>
    <message>
        <source>The logic which you select is already assigned. Do you want to assign the logic? The logic value of the Input pin which was assigned it before will be reset.</source>
        <translation>선택한 논리는 이미 할당되어 있습니다. 이 논리를 할당하시겠습니까? 이전에 이 논리가 할당되었던 입력 핀의 논리 값은 초기화됩니다.</translation>
    </message>
    <message>
        <source>Failed to assign I/O.</source>
        <translation>I/O를 할당하지 못했습니다.</translation>
    </message>
    <message>
        <source>Clear to default value</source>
        <translation>기본값으로 초기화</translation>
    </message>
    <message>
        <source>Do you really want to clear I/O LOGIC to default value?</source>
        <translation>I/O 논리를 기본값으로 초기화하시겠습니까?</translation>
    </message>
    <message>
        <source>Failed to clear I/O LOGIC to default value.</source>
        <translation>I/O 논리를 기본값으로 초기화하지 못했습니다.</translation>
    </message>
    <message>
        <source>Load I/O map from ROM</source>
        <translation>ROM에서 I/O 맵 불러오기</translation>
    </message>
    <message>
        <source>Do you really want to load saved data?</source>
        <translation>저장된 데이터를 불러오시겠습니까?</translation>
    </message>
    <message>
        <source>Failed to load data.</source>
        <translation>데이터를 불러오지 못했습니다.</translation>
    </message>
    <message>
        <source>Save I/O map to ROM</source>
        <translation>I/O 맵을 ROM에 저장</translation>
    </message>
    <message>
        <source>Do you really want to save it?</source>
        <translation>저장하시겠습니까?</translation>
    </message>
    <message>
        <source>Saving is done.</source>
        <translation>저장이 완료되었습니다.</translation>
    </message>
    <message>
        <source>Failed to save data.</source>
        <translation>데이터를 저장하지 못했습니다.</translation>
    </message>
    <message>
        <source>Save I/O map to file</source>
        <translation>I/O 맵을 파일로 저장</translation>
    </message>
    <message>
        <source>I/O Map File(*.fit)</source>
        <translation>I/O 맵 파일(*.fit)</translation>
    </message>
    <message>
        <source>Saving to file is done.</source>
        <translation>파일 저장이 완료되었습니다.</translation>
    </message>
    <message>
        <source>Failed to save data to file.</source>
        <translation>데이터를 파일에 저장하지 못했습니다.</translation>
    </message>
    <message>
        <source>Load I/O map from file</source>
        <translation>파일에서 I/O 맵 불러오기</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>Failed to read file.</source>
        <translation>파일을 읽지 못했습니다.</translation>
    </message>
    <message>
        <source>It is NOT a I/O setting file or not a supported one.
Please check it again.</source>
        <translation>I/O 설정 파일이 아니거나 지원되지 않는 파일입니다.
다시 확인해 주십시오.</translation>
    </message>
    <message>
        <source>Loading I/O Mapping Data..</source>
        <translation>I/O 매핑 데이터를 불러오는 중..</translation>
    </message>
    <message>
        <source>Failed to load file.</source>
        <translation>파일을 불러오지 못했습니다.</translation>
    </message>
</context>
<context>
    <name>tarsel::views::CViewMotion</name>
    <message>
        <source>Cmd Pos</source>
        <translation>지령 위치</translation>
    </message>
    <message>
        <source>Start Speed</source>
        <translation>시작 속도</translation>
    </message>
    <message>
        <source>Move Speed</source>
        <translation>이동 속도</translation>
    </message>
    <message>
        <source>Accel Time</source>
        <translation>가속 시간</translation>
    </message>
    <message>
        <source>Decel Time</source>
        <translation>감속 시간</translation>
    </message>
    <message>
        <source>Max Speed</source>
        <translation>최대 속도</translation>
    </message>
    <message>
        <source>Accel/Decel</source>
        <translation>가감속</translation>
    </message>
    <message>
        <source>Search Speed</source>
        <translation>검색 속도</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>속도</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Single Move</source>
        <translation>단축 이동</translation>
    </message>
    <message>
        <source>Abs Move</source>
        <translation>절대 이동</translation>
    </message>
    <message>
        <source>DEC Move</source>
        <translation>감소 이동</translation>
    </message>
    <message>
        <source>INC Move</source>
        <translation>증가 이동</translation>
    </message>
    <message>
        <source>Jog Move</source>
        <translation>조그 이동</translation>
    </message>
    <message>
        <source>-Jog</source>
        <translation>-조그</translation>
    </message>
    <message>
        <source>+Jog</source>
        <translation>+조그</translation>
    </message>
    <message>
        <source>-Limit</source>
        <translation>-리밋</translation>
    </message>
    <message>
        <source>+Limit</source>
        <translation>+리밋</translation>
    </message>
    <message>
        <source>Origin</source>
        <translation>원점</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>방식</translation>
    </message>
    <message>
        <source>Position Status</source>
        <translation>위치 상태</translation>
    </message>
    <message>
        <source>Clear Position</source>
        <translation>위치 지우기</translation>
    </message>
    <message>
        <source>Axis Status</source>
        <translation>축 상태</translation>
    </message>
    <message>
        <source>Status Value (HEX)</source>
        <translation>상태 값 (HEX)</translation>
    </message>
    <message>
        <source>Alarm Type</source>
        <translation>알람 종류</translation>
    </message>
    <message>
        <source>Step state</source>
        <translation>스텝 상태</translation>
    </message>
    <message>
        <source>Servo state</source>
        <translation>서보 상태</translation>
    </message>
    <message>
        <source>Motor enable</source>
        <translation>모터 사용</translation>
    </message>
    <message>
        <source>ALARM
RESET</source>
        <translation>알람
리셋</translation>
    </message>
    <message>
        <source>Brake ON</source>
        <translation>브레이크 ON</translation>
    </message>
    <message>
        <source>Brake</source>
        <translation>브레이크</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>정지</translation>
    </message>
    <message>
        <source>E-STOP!</source>
        <translation>비상 정지!</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>Failed to %1 brake</source>
        <translation>브레이크 %1 실패</translation>
    </message>
    <message>
        <source>reset</source>
        <translation>해제</translation>
    </message>
    <message>
        <source>set</source>
        <translation>설정</translation>
    </message>
    <message>
        <source>BRAKE OFF</source>
        <translation>브레이크 OFF</translation>
    </message>
    <message>
        <source>BRAKE ON</source>
        <translation>브레이크 ON</translation>
    </message>
    <message>
        <source>Over Current</source>
        <translation>과전류</translation>
    </message>
    <message>
        <source>Over Speed</source>
        <translation>과속도</translation>
    </message>
    <message>
        <source>Position Tracking</source>
        <translation>위치 추종</translation>
    </message>
    <message>
        <source>Over Load</source>
        <translation>과부하</translation>
    </message>
    <message>
        <source>Over Temperature</source>
        <translation>과열</translation>
    </message>
    <message>
        <source>Over Back EMF</source>
        <translation>역기전력 과다</translation>
    </message>
    <message>
        <source>No Motor Connect</source>
        <translation>모터 미연결</translation>
    </message>
    <message>
        <source>No Encoder Connect</source>
        <translation>엔코더 미연결</translation>
    </message>
    <message>
        <source>Low Motor Power</source>
        <translation>모터 전원 부족</translation>
    </message>
    <message>
        <source>Inposition Error</source>
        <translation>인포지션 오류</translation>
    </message>
    <message>
        <source>System Halt</source>
        <translation>시스템 정지</translation>
    </message>
    <message>
        <source>ROM Device Error</source>
        <translation>ROM 장치 오류</translation>
    </message>
    <message>
        <source>High Input Voltage</source>
        <translation>입력 전압 과다</translation>
    </message>
    <message>
        <source>Position Overflow</source>
        <translation>위치 오버플로</translation>
    </message>
    <message>
        <source>Position Changed</source>
        <translation>위치 변경</translation>
    </message>
    <message>
        <source>STEP ON</source>
        <translation>스텝 ON</translation>
    </message>
    <message>
        <source>STEP OFF</source>
        <translation>스텝 OFF</translation>
    </message>
    <message>
        <source>SERVO OFF</source>
        <translation>서보 OFF</translation>
    </message>
    <message>
        <source>SERVO ON</source>
        <translation>서보 ON</translation>
    </message>
</context>
<context>
    <name>tarsel::views::CViewParamList</name>
    <message>
        <source>Show BLDC Parameter</source>
        <translation>BLDC 파라미터 보기</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>파라미터</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>번호</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>이름</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>범위</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>기본값</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>값</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>단위</translation>
    </message>
    <message>
        <source>Set to DEFAULT</source>
        <translation>기본값으로 설정</translation>
    </message>
    <message>
        <source>Load ROM</source>
        <translation>ROM 읽기</translation>
    </message>
    <message>
        <source>Save to ROM</source>
        <translation>ROM에 저장</translation>
    </message>
    <message>
        <source>Load File</source>
        <translation>파일 읽기</translation>
    </message>
    <message>
        <source>Save to File</source>
        <translation>파일로 저장</translation>
    </message>
    <message>
        <source>Compare...</source>
        <translation>비교...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Set to default value</source>
        <translation>기본값으로 설정</translation>
    </message>
    <message>
        <source>Do you really want to set parameters to default value?</source>
        <translation>파라미터를 기본값으로 설정하시겠습니까?</translation>
    </message>
    <message>
        <source>Failed to set parameters to default value.</source>
        <translation>파라미터를 기본값으로 설정하지 못했습니다.</translation>
    </message>
    <message>
        <source>Load Parameters from ROM</source>
        <translation>ROM에서 파라미터 읽기</translation>
    </message>
    <message>
        <source>Do you really want to load saved data?</source>
        <translation>저장된 데이터를 읽으시겠습니까?</translation>
    </message>
    <message>
        <source>Loading Parameters..</source>
        <translation>파라미터를 읽는 중..</translation>
    </message>
    <message>
        <source>Failed to load data.</source>
        <translation>데이터를 읽지 못했습니다.</translation>
    </message>
    <message>
        <source>Save Parameters to ROM</source>
        <translation>ROM에 파라미터 저장</translation>
    </message>
    <message>
        <source>Do you really want to save it?</source>
        <translation>저장하시겠습니까?</translation>
    </message>
    <message>
        <source>Saving is done.</source>
        <translation>저장을 마쳤습니다.</translation>
    </message>
    <message>
        <source>Failed to save data.</source>
        <translation>데이터를 저장하지 못했습니다.</translation>
    </message>
    <message>
        <source>Load Parameters from file</source>
        <translation>파일에서 파라미터 읽기</translation>
    </message>
    <message>
        <source>Parameter File(*.fpt)</source>
        <translation>파라미터 파일(*.fpt)</translation>
    </message>
    <message>
        <source>All Files(*.*)</source>
        <translation>모든 파일(*.*)</translation>
    </message>
    <message>
        <source>Failed to load file.</source>
        <translation>파일을 불러오지 못했습니다.</translation>
    </message>
    <message>
        <source>Save parameters to file</source>
        <translation>파라미터를 파일로 저장</translation>
    </message>
</context>
<context>
    <name>tarsel::views::CViewPosTable</name>
    <message>
        <source>&amp;Clear Item</source>
        <translation>항목 지우기(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Edit Item</source>
        <translation>항목 편집(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Run Selected Item</source>
        <translation>선택 항목 실행(&amp;R)</translation>
    </message>
    <message>
        <source>A error is occured while writing position table data.</source>
        <translation>포지션 테이블 데이터를 쓰는 중 오류가 발생했습니다.</translation>
    </message>
    <message>
        <source>Accel</source>
        <translation>가속</translation>
    </message>
    <message>
        <source>CMD</source>
        <translation>명령</translation>
    </message>
    <message>
        <source>Check Inpos</source>
        <translation>인포지션 확인</translation>
    </message>
    <message>
        <source>Clear &amp;All Items</source>
        <translation>모든 항목 지우기(&amp;A)</translation>
    </message>
    <message>
        <source>Clear Position Table Data</source>
        <translation>포지션 테이블 데이터 지우기</translation>
    </message>
    <message>
        <source>Clearing Position Table data...</source>
        <translation>포지션 테이블 데이터를 지우는 중...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>연속</translation>
    </message>
    <message>
        <source>Copy Item	Ctrl-C</source>
        <translation>항목 복사	Ctrl-C</translation>
    </message>
    <message>
        <source>Cut Item	Ctrl-X</source>
        <translation>항목 잘라내기	Ctrl-X</translation>
    </message>
    <message>
        <source>Decel</source>
        <translation>감속</translation>
    </message>
    <message>
        <source>Do you really want to load saved data?</source>
        <translation>저장된 데이터를 불러오시겠습니까?</translation>
    </message>
    <message>
        <source>Do you really want to save it?</source>
        <translation>저장하시겠습니까?</translation>
    </message>
    <message>
        <source>Do you want to clear all position table data?</source>
        <translation>포지션 테이블 데이터를 모두 지우시겠습니까?</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>Failed to load data.</source>
        <translation>데이터를 불러오지 못했습니다.</translation>
    </message>
    <message>
        <source>Failed to load file.</source>
        <translation>파일을 불러오지 못했습니다.</translation>
    </message>
    <message>
        <source>Failed to read file.</source>
        <translation>파일을 읽지 못했습니다.</translation>
    </message>
    <message>
        <source>Failed to save data to file.</source>
        <translation>데이터를 파일에 저장하지 못했습니다.</translation>
    </message>
    <message>
        <source>Failed to save data.</source>
        <translation>데이터를 저장하지 못했습니다.</translation>
    </message>
    <message>
        <source>High Spd</source>
        <translation>고속</translation>
    </message>
    <message>
        <source>It is NOT a Position Table file or not a supported one.
Please check it again.</source>
        <translation>포지션 테이블 파일이 아니거나 지원되지 않는 파일입니다.
다시 확인해 주십시오.</translation>
    </message>
    <message>
        <source>JP Table No.</source>
        <translation>점프 테이블 번호</translation>
    </message>
    <message>
        <source>JPT 0</source>
        <translation>JPT 0</translation>
    </message>
    <message>
        <source>JPT 1</source>
        <translation>JPT 1</translation>
    </message>
    <message>
        <source>JPT 2</source>
        <translation>JPT 2</translation>
    </message>
    <message>
        <source>Load File</source>
        <translation>파일 열기</translation>
    </message>
    <message>
        <source>Load PosTable from ROM</source>
        <translation>ROM에서 포지션 테이블 불러오기</translation>
    </message>
    <message>
        <source>Load PosTable from file</source>
        <translation>파일에서 포지션 테이블 불러오기</translation>
    </message>
    <message>
        <source>Load ROM</source>
        <translation>ROM 불러오기</translation>
    </message>
    <message>
        <source>Loading Position Table Data..</source>
        <translation>포지션 테이블 데이터를 불러오는 중..</translation>
    </message>
    <message>
        <source>Loop Count</source>
        <translation>루프 횟수</translation>
    </message>
    <message>
        <source>Loop Count Clear</source>
        <translation>루프 횟수 초기화</translation>
    </message>
    <message>
        <source>Loop JP Table No.</source>
        <translation>루프 점프 테이블 번호</translation>
    </message>
    <message>
        <source>Low Spd</source>
        <translation>저속</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>다음</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>번호</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>일반</translation>
    </message>
    <message>
        <source>PT Set</source>
        <translation>PT 설정</translation>
    </message>
    <message>
        <source>Paste Item	Ctrl-V</source>
        <translation>항목 붙여넣기	Ctrl-V</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>위치</translation>
    </message>
    <message>
        <source>Position Table</source>
        <translation>포지션 테이블</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>새로 고침</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>실행</translation>
    </message>
    <message>
        <source>Run Error</source>
        <translation>실행 오류</translation>
    </message>
    <message>
        <source>Save PosTable to ROM</source>
        <translation>포지션 테이블을 ROM에 저장</translation>
    </message>
    <message>
        <source>Save PosTable to file</source>
        <translation>포지션 테이블을 파일에 저장</translation>
    </message>
    <message>
        <source>Save Position Table</source>
        <translation>포지션 테이블 저장</translation>
    </message>
    <message>
        <source>Save to File</source>
        <translation>파일로 저장</translation>
    </message>
    <message>
        <source>Save to ROM</source>
        <translation>ROM에 저장</translation>
    </message>
    <message>
        <source>Saving is done.</source>
        <translation>저장이 끝났습니다.</translation>
    </message>
    <message>
        <source>Saving to file is done.</source>
        <translation>파일 저장이 끝났습니다.</translation>
    </message>
    <message>
        <source>Single Step</source>
        <translation>단일 스텝</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>정지</translation>
    </message>
    <message>
        <source>Teaching</source>
        <translation>티칭</translation>
    </message>
    <message>
        <source>Text File(*.txt);;All Files(*.*)</source>
        <translation>텍스트 파일(*.txt);;모든 파일(*.*)</translation>
    </message>
    <message>
        <source>The motor is busy now. You can run it after stopping the motor.</source>
        <translation>모터가 동작 중입니다. 모터를 정지한 후에 실행할 수 있습니다.</translation>
    </message>
    <message>
        <source>There were no absolute position command items which teaching function could be applied.</source>
        <translation>티칭 기능을 적용할 수 있는 절대 위치 명령 항목이 없습니다.</translation>
    </message>
    <message>
        <source>These items have fewer than 17 numbers in the file; the missing numbers were read as 0: %1</source>
        <translation>파일에서 다음 항목은 숫자가 17개보다 적어 빠진 숫자를 0으로 읽었습니다: %1</translation>
    </message>
    <message>
        <source>Wait Time</source>
        <translation>대기 시간</translation>
    </message>
</context>
<context>
    <name>tarsel::views::CViewRepeat</name>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Position Data</source>
        <translation>위치 데이터</translation>
    </message>
    <message>
        <source>Position 1</source>
        <translation>위치 1</translation>
    </message>
    <message>
        <source>Position 2</source>
        <translation>위치 2</translation>
    </message>
    <message>
        <source>Position 3</source>
        <translation>위치 3</translation>
    </message>
    <message>
        <source>Move Speed</source>
        <translation>이동 속도</translation>
    </message>
    <message>
        <source>Move Pos1</source>
        <translation>위치1 이동</translation>
    </message>
    <message>
        <source>Move Pos2</source>
        <translation>위치2 이동</translation>
    </message>
    <message>
        <source>Move Pos3</source>
        <translation>위치3 이동</translation>
    </message>
    <message>
        <source>Repeat Data</source>
        <translation>반복 데이터</translation>
    </message>
    <message>
        <source>Delay Time</source>
        <translation>지연 시간</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>반복</translation>
    </message>
    <message>
        <source>Check Inposition</source>
        <translation>인포지션 확인</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>상태</translation>
    </message>
    <message>
        <source>Cycle Time</source>
        <translation>경과 시간</translation>
    </message>
    <message>
        <source>Repeat Count</source>
        <translation>반복 횟수</translation>
    </message>
    <message>
        <source>Clear Status</source>
        <translation>상태 지우기</translation>
    </message>
    <message>
        <source>E-Stop</source>
        <translation>비상 정지</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>정지</translation>
    </message>
    <message>
        <source>It&apos;s Alarm Reset status. This function works when the Alarm Reset is off.</source>
        <translation>알람 리셋 상태입니다. 이 기능은 알람 리셋이 해제되었을 때 동작합니다.</translation>
    </message>
    <message>
        <source>It&apos;s SERVO OFF status. This function works when it&apos;s  SERVO ON.</source>
        <translation>서보 OFF 상태입니다. 이 기능은 서보 ON 상태에서 동작합니다.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
</context>
<context>
    <name>tarsel::views::ParameterFileSteps</name>
    <message>
        <source>Failed to read file.</source>
        <translation>파일을 읽지 못했습니다.</translation>
    </message>
    <message>
        <source>It is NOT a paramerer file or not a supported one.
Please check it again.</source>
        <translation>파라미터 파일이 아니거나 지원하지 않는 파일입니다.
다시 확인해 주십시오.</translation>
    </message>
    <message>
        <source>Saving to file is done.</source>
        <translation>파일 저장을 마쳤습니다.</translation>
    </message>
    <message>
        <source>Failed to save data to file.</source>
        <translation>데이터를 파일로 저장하지 못했습니다.</translation>
    </message>
</context>
<context>
    <name>tarsel::views::PositionStatusRows</name>
    <message>
        <source>Cmd Pos</source>
        <translation>지령 위치</translation>
    </message>
    <message>
        <source>Actual Pos</source>
        <translation>실제 위치</translation>
    </message>
    <message>
        <source>Actual Vel</source>
        <translation>실제 속도</translation>
    </message>
    <message>
        <source>Pos Error</source>
        <translation>위치 오차</translation>
    </message>
</context>
<context>
    <name>tarsel::widgets::CProgressDlg</name>
    <message>
        <source>Progress</source>
        <translation>진행</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
</context>
<context>
    <name>tarsel::widgets::CSlaveSelector</name>
    <message>
        <source>Slave No.</source>
        <translation>슬레이브 번호</translation>
    </message>
    <message>
        <source>Previous slave</source>
        <translation>이전 슬레이브</translation>
    </message>
    <message>
        <source>Next slave</source>
        <translation>다음 슬레이브</translation>
    </message>
</context>
<context>
    <name>tarsel::widgets::CValueGrid</name>
    <message>
        <source>Value</source>
        <translation>값</translation>
    </message>
</context>
</TS>
